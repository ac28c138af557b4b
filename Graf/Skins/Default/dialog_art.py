"""Artwork of the Default skin's exit and hide dialogs, tips window and About box.

Drawn on popup_art's canvas in the same colours; sizes match the dialogs' design sizes.
"""
import popup_art as pa

pa.GLYPHS.update({
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "C": ["01111", "10000", "10000", "10000", "10000", "10000", "01111"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "?": ["01110", "10001", "00001", "00110", "00100", "00000", "00100"],
})

# Check box: six 14 px cells: off, off hover, on, on hover, off pressed, on pressed.
BOX = [((226, 230, 238), False), ((255, 255, 255), False), ((226, 230, 238), True),
       ((255, 255, 255), True), ((170, 180, 196), False), ((170, 180, 196), True)]


def check(cv):
    for i, (face, on) in enumerate(BOX):
        y = 14 * i
        cv.rounded(0, y, 14, 14, 3, face, face, pa.FRAME)
        if on:  # a tick
            for k, (x, dy) in enumerate([(3, 7), (4, 8), (5, 9), (6, 8), (7, 7), (8, 6), (9, 5), (10, 4)]):
                cv.set(x, y + dy, (40, 64, 104))
                cv.set(x, y + dy - 1, (40, 64, 104))


def big_text(cv, s, cx, cy, c, k):
    """Capitals k times the glyph size."""
    width = (len(s) * 6 - 1) * k
    x = cx - width // 2
    for ch in s:
        for j, row in enumerate(pa.GLYPHS[ch]):
            for i, bit in enumerate(row):
                if bit == "1":
                    for a in range(k):
                        for b in range(k):
                            cv.set(x + i * k + a, cy - 3 * k + j * k + b, c)
        x += 6 * k


def panel(w, h, title):
    def paint(cv):
        cv.rounded(0, 0, w, h, 10, pa.PANEL_TOP, pa.PANEL_LOW, pa.FRAME)
        cv.rounded(1, 1, w - 2, 22, 9, pa.FRAME, pa.FRAME)
        for x in range(8, w - 8):
            cv.set(x, 22, pa.FRAME)
        cv.text(title, 8 + (len(title) * 6 - 1) // 2, 11, pa.INK)
    return paint


def about(cv):
    panel(300, 200, "ABOUT")(cv)
    big_text(cv, "QUILLMATE", 150, 80, pa.INK, 4)
    big_text(cv, "CLIPBOARD", 150, 124, (150, 186, 236), 2)


def labelled(w, s):
    return pa.button_strip(w, lambda cv, y, ink: cv.text(s, w // 2, y + 12, ink))


def arrow(right):
    def draw(cv, y, ink):
        for k in range(5):
            for t in (0, 1):
                x = 10 + k + t if right else 15 - k - t
                cv.set(x, y + 7 + k, ink)
                cv.set(x, y + 17 - k, ink)
    return pa.button_strip(25, draw)


def groove(cv):
    for y in range(29):
        for x in range(47):
            cv.set(x, y, pa.PANEL_LOW)
    for x in range(47):
        cv.set(x, 14, pa.FRAME)
        cv.set(x, 15, (74, 104, 150))


ART = {
    "OK.bmp": (78, 120, labelled(78, "OK")),
    "Cancel.bmp": (78, 120, labelled(78, "CANCEL")),
    "Check.bmp": (14, 84, check),
    "Exit/Background.bmp": (192, 103, panel(192, 103, "EXIT QUILLMATE?")),
    "Hide-Box/Background.bmp": (348, 186, panel(348, 186, "QUILLMATE")),
    "About-Box/Background.bmp": (300, 200, about),
    "Tips/Background.bmp": (399, 189, panel(399, 189, "TIPS")),
    "Tips/NextTip.bmp": (25, 120, arrow(True)),
    "Tips/PrevTip.bmp": (25, 120, arrow(False)),
    "Tips/Help.bmp": (25, 120, pa.button_strip(25, lambda cv, y, ink: cv.text("?", 12, y + 12, ink))),
    "Tips/About.bmp": (87, 120, labelled(87, "ABOUT")),
    "Tips/Back.bmp": (47, 29, groove),
}

SIZES = {
    "Exit_Form": "192,103",
    "Exit_OK": "14,68,78,6",
    "Exit_Cancel": "100,68,78,6",
    "Exit_Check": "12,41",
    "Hide_Form": "348,186",
    "Hide_Text": "16,34,316,80",
    "Hide_OK": "254,150,78,6",
    "Hide_Check": "16,124",
    "Hide_Close": "324,2,20,6",
}
