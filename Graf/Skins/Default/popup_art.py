"""Artwork of the Default skin's start bar, tray menu, quick-insert window and scroll bar.

Each entry of ART is (width, height, painter); a painter fills a Canvas. Pixels left magenta
are transparent in the program's layered windows. Button strips hold five looks 24 px apart:
normal, focused, hover, pressed, disabled.
"""

MAGENTA = (255, 0, 255)
FRAME = (24, 36, 56)        # outer edge of every panel
PANEL_TOP = (58, 84, 124)   # panel gradient, top to bottom
PANEL_LOW = (38, 58, 90)
ROW = (46, 66, 98)          # quick-insert row, and its highlighted look
ROW_HOT = (74, 112, 170)
INK = (236, 240, 246)
# Button looks: face top, face bottom, ink
LOOKS = [((78, 114, 168), (56, 86, 132), INK),
         ((92, 132, 192), (64, 98, 150), (255, 255, 255)),
         ((104, 148, 212), (76, 114, 172), (255, 255, 255)),
         ((40, 64, 104), (52, 80, 124), (210, 222, 240)),
         ((84, 90, 102), (72, 78, 90), (146, 152, 162))]

# 5 x 7 capitals for the menu captions.
GLYPHS = {
    "I": ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "W": ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
    "X": ["10001", "10001", "01010", "00100", "01010", "10001", "10001"],
    " ": ["00000"] * 7,
}


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[MAGENTA] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rounded(self, x0, y0, w, h, r, top, low=None, edge=None):
        """A rounded rectangle with a vertical gradient and an optional 1 px edge."""
        low = low or top
        for y in range(y0, y0 + h):
            t = (y - y0) / max(h - 1, 1)
            c = tuple(round(a + (b - a) * t) for a, b in zip(top, low))
            for x in range(x0, x0 + w):
                dx = max(x0 + r - x - 0.5, x - (x0 + w - r) + 0.5, 0)
                dy = max(y0 + r - y - 0.5, y - (y0 + h - r) + 0.5, 0)
                d = (dx * dx + dy * dy) ** 0.5
                if d > r:
                    continue
                on_edge = edge and (d > r - 1 or x in (x0, x0 + w - 1) or y in (y0, y0 + h - 1))
                self.set(x, y, edge if on_edge else c)

    def text(self, s, cx, cy, c):
        width = len(s) * 6 - 1
        x = cx - width // 2
        for ch in s:
            for j, row in enumerate(GLYPHS[ch]):
                for i, bit in enumerate(row):
                    if bit == "1":
                        self.set(x + i, cy - 3 + j, c)
            x += 6

    def line(self, points, c):
        for x, y in points:
            self.set(x, y, c)


def button_strip(w, draw):
    """Five looks of a button, 24 px apart; draw(canvas, top, ink) adds the glyph or caption."""
    def paint(cv):
        for i, (top, low, ink) in enumerate(LOOKS):
            y = 24 * i
            cv.rounded(0, y, w, 24, 6, top, low, FRAME)
            if i == 1:  # the focus look: a light inner edge
                for x in range(3, w - 3):
                    cv.set(x, y + 2, (150, 186, 236))
            draw(cv, y, ink)
    return paint


def caption(s):
    return button_strip(152, lambda cv, y, ink: cv.text(s, 76, y + 12, ink))


def chevron(cv, y, ink):
    for k in range(5):
        for t in (0, 1):
            cv.set(17 + k, y + 9 + k + t, ink)
            cv.set(25 - k, y + 9 + k + t, ink)


def cross(cv, y, ink):
    for k in range(8):
        for t in (0, 1):
            cv.set(6 + k + t, y + 8 + k, ink)
            cv.set(13 - k + t, y + 8 + k, ink)


def start_background(cv):
    cv.rounded(0, 0, 80, 36, 8, PANEL_TOP, PANEL_LOW, FRAME)


def tray_background(cv):
    cv.rounded(0, 0, 172, 134, 10, PANEL_TOP, PANEL_LOW, FRAME)


def insert_top(cv):
    cv.rounded(0, 0, 510, 150, 12, PANEL_TOP, PANEL_LOW, FRAME)


def insert_mid(cv):
    for y in range(61):
        for x in range(510):
            cv.set(x, y, FRAME if x in (0, 509) else PANEL_LOW)


def insert_low(cv):
    cv.rounded(0, -30, 510, 150, 12, PANEL_LOW, PANEL_LOW, FRAME)


def row(colour):
    def paint(cv):
        cv.rounded(0, 0, 441, 70, 6, colour, tuple(max(c - 10, 0) for c in colour), FRAME)
        for x in range(1, 440):  # a gap between neighbouring rows
            cv.set(x, 69, PANEL_LOW)
    return paint


# The scroll bar: four looks (normal, hover, pressed, disabled) at the frame offsets the bar uses.
BAR_FACE = [(64, 98, 150), (88, 132, 200), (36, 60, 102), (92, 96, 108)]
BAR_INK = [(232, 238, 248), (255, 255, 255), (200, 214, 236), (150, 154, 162)]


def frames(h, tops, extra=None):
    def paint(cv):
        for y in range(cv.h):
            for x in range(cv.w):
                cv.set(x, y, BAR_FACE[0])
        for s, top in enumerate(tops):
            for y in range(top, top + h):
                for x in range(25):
                    cv.set(x, y, BAR_FACE[s])
            if extra:
                extra(cv, s, top)
    return paint


def arrow(up):
    def extra(cv, s, top):
        for x in range(25):
            cv.set(x, top, BAR_INK[s])  # a highlight along the top edge
        for k in range(6):  # a filled triangle, tip up or down
            y = top + (9 + k if up else 14 - k)
            for x in range(12 - k, 13 + k):
                cv.set(x, y, BAR_INK[s])
    return frames(24, (0, 24, 48, 72), extra)


def grip(cv, s, top):
    for y in (15, 19, 23):
        for x in range(8, 17):
            cv.set(x, top + y, BAR_INK[s])
            cv.set(x, top + y + 1, BAR_INK[s])


def track(cv):
    for y in range(110):
        for x in range(25):
            cv.set(x, y, (22, 34, 52) if x == 12 else (28, 42, 64))


ART = {
    "Scrolls/Button_Up.bmp": (25, 96, arrow(True)),
    "Scrolls/Button_Down.bmp": (25, 96, arrow(False)),
    "Scrolls/BG.bmp": (25, 110, track),
    "Scrolls/Scroll_Top.bmp": (25, 31, frames(6, (0, 8, 16, 25))),
    "Scrolls/Scroll_Low.bmp": (25, 32, frames(6, (1, 9, 17, 26))),
    "Scrolls/Scroll_Mid.bmp": (25, 162, frames(39, (0, 41, 82, 123), grip)),
    "Scrolls/Scroll_UpMid.bmp": (25, 81, frames(20, (1, 21, 41, 61))),
    "Scrolls/Scroll_DownMid.bmp": (25, 81, frames(20, (1, 21, 41, 61))),
    "Start/Background.bmp": (80, 36, start_background),
    "Start/Down.bmp": (42, 120, button_strip(42, chevron)),
    "Close.bmp": (20, 120, button_strip(20, cross)),
    "Tray/Background.bmp": (172, 134, tray_background),
    "Tray/Insert.bmp": (152, 120, caption("INSERT")),
    "Tray/Options.bmp": (152, 120, caption("OPTIONS")),
    "Tray/Hide.bmp": (152, 120, caption("HIDE")),
    "Tray/Show.bmp": (152, 120, caption("SHOW")),
    "Tray/Exit.bmp": (152, 120, caption("EXIT")),
    "Insert/Top.bmp": (510, 134, insert_top),
    "Insert/Mid.bmp": (510, 61, insert_mid),
    "Insert/Low.bmp": (510, 120, insert_low),
    "Insert/Not_Selected.bmp": (441, 70, row(ROW)),
    "Insert/Selected.bmp": (441, 70, row(ROW_HOT)),
}

SIZES = {
    "Tray_Form": "172,134",
    "Tray_Insert": "10,10,152,6",
    "Tray_Options": "10,40,152,6",
    "Tray_ShowHide": "10,70,152,6",
    "Tray_Exit": "10,100,152,6",
    "Start_Form": "80,36",
    "Start_Down": "8,6,42,6",
    "Start_Close": "54,6,20,6",
}


def bmp(name):
    """The picture as a 24-bit bottom-up BMP file."""
    import struct
    w, h, painter = ART[name]
    cv = Canvas(w, h)
    painter(cv)
    row_bytes = (w * 3 + 3) & ~3
    pixels = b"".join(bytes(v for r, g, b in row for v in (b, g, r)) + b"\0" * (row_bytes - w * 3)
                      for row in reversed(cv.px))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def resize(sizes):
    """The size table with these windows' lines set to fit the artwork."""
    lines = []
    for line in sizes.splitlines():
        key = line.split("[")[0]
        lines.append(f"{key}[{SIZES[key]}]" if key in SIZES else line)
    return "\n".join(lines) + "\n"
