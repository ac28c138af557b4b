"""The tray menu's captions, baked into the skins' bitmaps, read as words: the widest runs of
background columns are the spaces between words, and within a word no run is wider than a pixel.
Glyph advances rounded to whole pixels once opened gaps of 2-3 px there ("Hide Quillm ate").
usage: caption_gaps.py SKINS_FOLDER SKIN..."""
import sys

from PIL import Image

PITCH, TEXT_X = 24, 27  # the strip's frame height; captions start right of the icon
CAPTIONS = {"Insert": "Quick insert", "Options": "Options", "Show": "Show Quillmate",
            "Hide": "Hide Quillmate", "Exit": "Exit"}


def blank_runs(path):
    """Widths of the background column runs between the first and the last inked column of the
    normal frame's caption."""
    img = Image.open(path).convert("RGB")
    w = img.size[0]
    bg = [img.getpixel((w - 8, y)) for y in range(PITCH)]  # the fill is a vertical gradient
    inked = [any(sum(abs(a - b) for a, b in zip(img.getpixel((x, y)), bg[y])) > 60 for y in range(3, PITCH - 3))
             for x in range(TEXT_X, w - 10)]
    first, last = inked.index(True), len(inked) - 1 - inked[::-1].index(True)
    runs, n = [], 0
    for ink in inked[first:last + 1]:
        if ink:
            if n:
                runs.append(n)
            n = 0
        else:
            n += 1
    return runs


failed = False
for skin in sys.argv[2:]:
    for name, caption in CAPTIONS.items():
        runs = sorted(blank_runs(f"{sys.argv[1]}/{skin}/Tray/{name}.bmp"), reverse=True)
        spaces = caption.count(" ")
        inner = runs[spaces] if len(runs) > spaces else 0
        if len(runs) < spaces or inner > 1 or (spaces and runs[spaces - 1] < 3):
            print(f"FAIL {skin} {caption!r}: gaps {runs[:spaces]} between words, {inner} px inside one")
            failed = True
sys.exit(1 if failed else 0)
