#!/usr/bin/env python3
"""Writes the "Default" skin folder: plain generated bitmaps, "Sizes.dat" and "Language.dat".

usage: make_skin.py OUTPUT_FOLDER
The pictures are placeholders of the right names and sizes; their artwork comes later.
"""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import popup_art  # noqa: E402  (the drawn pictures of the start bar, tray menu and quick insert)
import dialog_art  # noqa: E402  (the drawn pictures of the dialogs, tips and About)

MAGENTA = (255, 0, 255)  # the transparent colour of every skinned window

# file: (width, height, fill colour); button strips hold four frames stacked vertically.
BITMAPS = {
    "OK.bmp": (75, 88, (70, 110, 170)),
    "Cancel.bmp": (75, 88, (70, 110, 170)),
    "Check.bmp": (13, 52, (230, 230, 230)),
    "Close.bmp": (20, 80, (170, 60, 60)),
    "About-Box/Background.bmp": (300, 200, (40, 60, 90)),
    "Exit/Background.bmp": (300, 120, (40, 60, 90)),
    "Hide-Box/Background.bmp": (300, 140, (40, 60, 90)),
    "Insert/Top.bmp": (200, 20, (40, 60, 90)),
    "Insert/Mid.bmp": (200, 20, (50, 70, 100)),
    "Insert/Low.bmp": (200, 20, (40, 60, 90)),
    "Insert/Not_Selected.bmp": (180, 20, (60, 80, 110)),
    "Insert/Selected.bmp": (180, 20, (90, 130, 190)),
    "Main/Background_Top.bmp": (250, 40, (40, 60, 90)),
    "Main/Background_mid.bmp": (250, 20, (50, 70, 100)),
    "Main/Background_Low.bmp": (250, 40, (40, 60, 90)),
    "Main/Clip.bmp": (230, 20, (60, 80, 110)),
    "Main/Clip_Selected.bmp": (230, 20, (90, 130, 190)),
    "Main/Delete.bmp": (50, 88, (70, 110, 170)),
    "Main/Save.bmp": (50, 88, (70, 110, 170)),
    "Main/Paste.bmp": (50, 88, (70, 110, 170)),
    "Main/Options.bmp": (50, 88, (70, 110, 170)),
    "Main/i.bmp": (20, 80, (70, 110, 170)),
    "Main/Pop-up.bmp": (100, 80, (50, 70, 100)),
    "Options/Background.bmp": (400, 300, (40, 60, 90)),
    "Options/DownBut.bmp": (120, 20, (60, 80, 110)),
    "Options/Buttons.bmp": (300, 40, (60, 80, 110)),
    "Options/Tab.bmp": (380, 200, (50, 70, 100)),
    "Options/Button_Down.bmp": (20, 80, (70, 110, 170)),
    "Options/Button.bmp": (75, 88, (70, 110, 170)),
    "Options/Apply.bmp": (75, 88, (70, 110, 170)),
    "Options/Input.bmp": (150, 20, (230, 230, 230)),
    "Options/SelInput.bmp": (150, 20, (200, 220, 255)),
    "Options/cLine.bmp": (380, 2, (90, 130, 190)),
    "Options/Option.bmp": (13, 52, (230, 230, 230)),
    "Scrolls/Button_Up.bmp": (16, 64, (70, 110, 170)),
    "Scrolls/Button_Down.bmp": (16, 64, (70, 110, 170)),
    "Scrolls/BG.bmp": (16, 16, (50, 70, 100)),
    "Scrolls/Scroll_Top.bmp": (16, 4, (90, 130, 190)),
    "Scrolls/Scroll_Low.bmp": (16, 4, (90, 130, 190)),
    "Scrolls/Scroll_Mid.bmp": (16, 8, (90, 130, 190)),
    "Scrolls/Scroll_UpMid.bmp": (16, 4, (90, 130, 190)),
    "Scrolls/Scroll_DownMid.bmp": (16, 4, (90, 130, 190)),
    "Start/Background.bmp": (250, 36, (40, 60, 90)),
    "Start/Down.bmp": (20, 80, (70, 110, 170)),
    "Tips/Background.bmp": (300, 200, (40, 60, 90)),
    "Tips/NextTip.bmp": (60, 88, (70, 110, 170)),
    "Tips/PrevTip.bmp": (60, 88, (70, 110, 170)),
    "Tips/About.bmp": (60, 88, (70, 110, 170)),
    "Tips/Help.bmp": (60, 88, (70, 110, 170)),
    "Tips/Back.bmp": (20, 20, (50, 70, 100)),
    "Tray/Background.bmp": (120, 130, (40, 60, 90)),
    "Tray/Insert.bmp": (100, 88, (70, 110, 170)),
    "Tray/Show.bmp": (100, 88, (70, 110, 170)),
    "Tray/Hide.bmp": (100, 88, (70, 110, 170)),
    "Tray/Exit.bmp": (100, 88, (70, 110, 170)),
    "Tray/Options.bmp": (100, 88, (70, 110, 170)),
}

SIZES = """// Default skin: window sizes and button places in pixels
Exit_Form[300,120]
Exit_OK[130,85,75,8]
Exit_Cancel[210,85,75,8]
Exit_Check[16,60]
Tray_Form[120,130]
Tray_Insert[10,10,100,6]
Tray_Options[10,38,100,6]
Tray_ShowHide[10,66,100,6]
Tray_Exit[10,94,100,6]
Start_Form[250,36]
Start_Down[200,8,20,4]
Start_Close[224,8,20,4]
Main_Form[250]
Main_Tips[5,10,20,4]
Main_Options[28,10,50,6]
Main_Paste[80,10,50,6]
Main_Save[132,10,50,6]
Main_Delete[184,10,50,6]
Main_Scroll[232,40]
PopUp_Form[100,41]
Hide_Form[300,140]
Hide_Text[16,16,268,60]
Hide_OK[210,105,75,8]
Hide_Check[16,80]
Hide_Close[276,4,20,4]
Options_Form[400,300]
Options_Ok[160,265,75,8]
Options_Close[376,4,20,4]
Options_Cancel[240,265,75,8]
Options_Apply[320,265,75,8]
"""

LANGUAGE = [
    "Clipboard is empty",
    "Skin:",
    "Transparency when active:",
    "Transparency when inactive:",
    "Fade speed:",
    "Paste clips:",
    "With a line break between them",
    "Without anything between them",
    "With a line break where none ends the clip",
    "Trim spaces and line breaks of new clips",
    "Keep clips after a restart",
    "Start with Windows",
    "Do not ask again",
    "Do not show again",
    "Quillmate keeps running in the tray. Click its icon to bring it back.",
    "Options",
    "Quillmate",
    "Exit Quillmate",
]


def bmp(width, height, colour):
    """A 24-bit bottom-up BMP: the fill colour inside a darker frame, magenta corners."""
    row_bytes = (width * 3 + 3) & ~3
    dark = tuple(c // 2 for c in colour)
    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            edge = x in (0, width - 1) or y in (0, height - 1)
            corner = (x in (0, width - 1)) and (y in (0, height - 1))
            r, g, b = MAGENTA if corner and width > 2 and height > 2 else dark if edge else colour
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        rows.append(bytes(row))
    pixels = b"".join(reversed(rows))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    for name, (w, h, colour) in BITMAPS.items():
        path = os.path.join(out, *name.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(bmp(w, h, colour))
    for name in popup_art.ART:
        with open(os.path.join(out, *name.split("/")), "wb") as f:
            f.write(popup_art.bmp(name))
    popup_art.ART.update(dialog_art.ART)
    popup_art.SIZES.update(dialog_art.SIZES)
    for name in dialog_art.ART:
        with open(os.path.join(out, *name.split("/")), "wb") as f:
            f.write(popup_art.bmp(name))
    # Both tables are ANSI text with CR LF line ends.
    with open(os.path.join(out, "Sizes.dat"), "wb") as f:
        f.write(popup_art.resize(SIZES).replace("\n", "\r\n").encode("cp1252"))
    with open(os.path.join(out, "Language.dat"), "wb") as f:
        f.write("\r\n".join(LANGUAGE).encode("cp1252") + b"\r\n")


if __name__ == "__main__":
    main()
