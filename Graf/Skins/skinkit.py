"""Draws a complete Quillmate skin folder from a colour theme: every bitmap, "Sizes.dat" and
"Language.dat". Each skin folder's make_skin.py picks a theme and calls build().

The pictures are drawn at four times their size and scaled down, so outlines and glyphs are smooth;
whatever a window shows through is painted in the colour key magenta with a hard edge.
Needs Pillow (Debian: python3-pil) and the Tahoma faces of fonts-wine (DejaVu Sans otherwise).
"""
import math
import os
from dataclasses import dataclass

from PIL import Image, ImageChops, ImageDraw, ImageFont

KEY = (255, 0, 255)  # the transparent colour of every skinned window
SS = 4               # supersampling factor
PITCH = 24           # push-button frames: normal, focused, hover, pressed, disabled


@dataclass
class Theme:
    frame: tuple          # window body, top and bottom of its gradient
    frame2: tuple
    outline: tuple        # outer border of windows
    head: tuple           # header band gradient
    head2: tuple
    head_text: tuple
    panel: tuple          # content panels that carry the windows' own (dark) label text
    panel2: tuple
    panel_line: tuple
    text: tuple           # text drawn on panels
    muted: tuple
    accent: tuple
    accent2: tuple
    button: tuple         # push buttons on panels and bodies
    button2: tuple
    button_line: tuple
    button_text: tuple
    hover: tuple
    hover2: tuple
    pressed: tuple
    pressed2: tuple
    disabled: tuple
    disabled_text: tuple
    danger: tuple
    well: tuple           # the light well behind the clip rows
    row: tuple            # clip rows
    row2: tuple
    row_sel: tuple
    row_sel2: tuple
    track: tuple          # scroll-bar and slider tracks
    track2: tuple
    thumb: tuple
    thumb2: tuple


# ---------------------------------------------------------------------------------------------
# drawing primitives

def font(size, bold=False):
    for path in (f"/usr/share/wine/fonts/tahoma{'bd' if bold else ''}.ttf",
                 f"/usr/share/fonts/truetype/dejavu/DejaVuSans{'-Bold' if bold else ''}.ttf"):
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    return ImageFont.load_default()


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def vgrad(w, h, top, bottom):
    img = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(img)
    for y in range(h):
        d.line([(0, y), (w, y)], fill=mix(top, bottom, y / max(1, h - 1)))
    return img


def rmask(w, h, r, inset=0.0, corners=(True, True, True, True)):
    """An anti-aliased rounded-rectangle mask of w x h pixels, inset by `inset` pixels."""
    m = Image.new("L", (w * SS, h * SS), 0)
    d = ImageDraw.Draw(m)
    x0, y0, x1, y1 = inset * SS, inset * SS, (w - inset) * SS - 1, (h - inset) * SS - 1
    rad = max(0, r - inset) * SS
    d.rounded_rectangle([x0, y0, x1, y1], radius=rad, fill=255)
    # square corners where asked: top-left, top-right, bottom-right, bottom-left
    for on, (cx, cy) in zip(corners, ((x0, y0), (x1 - rad, y0), (x1 - rad, y1 - rad), (x0, y1 - rad))):
        if not on and rad:
            d.rectangle([cx, cy, cx + rad, cy + rad], fill=255)
    return m.resize((w, h), Image.LANCZOS)


def panel(w, h, r, fill, line, outside=KEY, corners=(True, True, True, True), width=1):
    """fill (an image or a colour) inside a rounded outline of colour `line`; `outside` around it.
    With the colour key outside, the silhouette is hard (a layered window shows or hides a pixel)."""
    if not isinstance(fill, Image.Image):
        fill = Image.new("RGB", (w, h), fill)
    outer = rmask(w, h, r, 0, corners)
    inner = rmask(w, h, r, width, corners)
    img = Image.new("RGB", (w, h), line)
    img.paste(fill, (0, 0), inner)
    if outside == KEY:
        hard = outer.point(lambda v: 255 if v >= 128 else 0)
        bg = Image.new("RGB", (w, h), KEY)
        bg.paste(img, (0, 0), hard)
        return bg
    bg = Image.new("RGB", (w, h), outside)
    bg.paste(img, (0, 0), outer)
    return bg


def text(img, xy, s, colour, size=11, bold=False, anchor="la"):
    """Draws s with its anchor at xy. Laid out at SS x and scaled down: FreeType rounds each glyph's
    advance to whole pixels at small sizes, which opened gaps inside words ("Quillm ate")."""
    big = font(size * SS, bold)
    left, top, right, bottom = ImageDraw.Draw(img).textbbox((0, 0), s, font=big, anchor=anchor)
    x, y = xy
    # a layer one pixel larger than the text each way, on whole pixels of the picture
    x0, y0 = math.floor(x + left / SS) - 1, math.floor(y + top / SS) - 1
    w, h = math.ceil(x + right / SS) + 1 - x0, math.ceil(y + bottom / SS) + 1 - y0
    layer = Image.new("RGBA", (w * SS, h * SS), colour + (0,))
    ImageDraw.Draw(layer).text(((x - x0) * SS, (y - y0) * SS), s, fill=colour + (255,), font=big, anchor=anchor)
    small = layer.resize((w, h), Image.LANCZOS)
    img.paste(small, (x0, y0), small)


def fit_text(img, box, s, colour, size=11):
    """Draws s inside box (x0, y0, x1, y1), broken into lines only between words, at the largest size
    from `size` down whose lines all fit: with whatever font this machine has, no word is cut or
    runs over the box's edge."""
    x0, y0, x1, y1 = box
    d = ImageDraw.Draw(img)
    for px in range(size, 6, -1):
        f = font(px * SS)  # measured as text() draws it

        def width(line):
            return d.textlength(line, font=f) / SS
        lines = []
        for word in s.split(" "):
            joined = f"{lines[-1]} {word}" if lines else word
            if lines and width(joined) <= x1 - x0:
                lines[-1] = joined
            else:
                lines.append(word)
        step = px + 3
        if all(width(line) <= x1 - x0 for line in lines) and len(lines) * step <= y1 - y0:
            for i, line in enumerate(lines):
                text(img, (x0, y0 + i * step), line, colour, px)
            return
    raise ValueError(f"no size fits {s!r} into {box}")


def glyph(w, h, draw_fn, colour, bg):
    """A glyph drawn by draw_fn(draw, scale, colour) at SS x, scaled down over a colour."""
    big = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
    draw_fn(ImageDraw.Draw(big), SS, colour + (255,))
    small = big.resize((w, h), Image.LANCZOS)
    base = Image.new("RGB", (w, h), bg) if not isinstance(bg, Image.Image) else bg.copy()
    base.paste(small, (0, 0), small)
    return base


def save(img, out, name):
    path = os.path.join(out, *name.split("/"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.convert("RGB").save(path, "BMP")


# ---------------------------------------------------------------------------------------------
# glyphs: each draws into a w x h box given in real pixels times s

def g_chevron(direction, size=4.0, weight=1.8):
    def draw(d, s, c, cx=None, cy=None):
        w, h = d.im.size
        x0, y0 = (cx if cx is not None else w / 2), (cy if cy is not None else h / 2)
        k = size * s
        pts = {"down": [(-k, -k / 2), (0, k / 2), (k, -k / 2)], "up": [(-k, k / 2), (0, -k / 2), (k, k / 2)],
               "left": [(k / 2, -k), (-k / 2, 0), (k / 2, k)], "right": [(-k / 2, -k), (k / 2, 0), (-k / 2, k)]}
        d.line([(x0 + px, y0 + py) for px, py in pts[direction]], fill=c, width=round(weight * s), joint="curve")
    return draw


def g_close(d, s, c):
    w, h = d.im.size
    k = 3.6 * s
    for a, b in (((-k, -k), (k, k)), ((-k, k), (k, -k))):
        d.line([(w / 2 + a[0], h / 2 + a[1]), (w / 2 + b[0], h / 2 + b[1])], fill=c, width=round(1.8 * s))


def g_gear(d, s, c):
    w, h = d.im.size
    cx, cy = w / 2, h / 2
    pts = []
    for i in range(16):
        r = (6.2 if i % 2 == 0 else 4.6) * s
        a = math.pi * 2 * i / 16
        for da in (-0.12, 0.12):
            pts.append((cx + r * math.cos(a + da), cy + r * math.sin(a + da)))
    d.polygon(pts, fill=c)
    d.ellipse([cx - 4.8 * s, cy - 4.8 * s, cx + 4.8 * s, cy + 4.8 * s], fill=c)
    d.ellipse([cx - 2.1 * s, cy - 2.1 * s, cx + 2.1 * s, cy + 2.1 * s], fill=(0, 0, 0, 0))


def g_info(d, s, c):
    w, h = d.im.size
    cx, cy = w / 2, h / 2
    d.ellipse([cx - 1.4 * s, cy - 6 * s, cx + 1.4 * s, cy - 3.2 * s], fill=c)
    d.rounded_rectangle([cx - 1.2 * s, cy - 1.6 * s, cx + 1.2 * s, cy + 6 * s], radius=0.6 * s, fill=c)


def g_question(d, s, c):
    w, h = d.im.size
    d.text((w / 2, h / 2 + 0.5 * s), "?", fill=c, font=font(round(13 * s), True), anchor="mm")


def g_quill(d, s, c, cx=None, cy=None, k=1.0):
    """The program's mark: a feather quill leaning to the right."""
    w, h = d.im.size
    x0 = cx if cx is not None else w / 2
    y0 = cy if cy is not None else h / 2
    u = s * k
    rot = math.radians(-50)
    pts = []
    for i in range(48):
        t = 2 * math.pi * i / 48
        x, y = 7.2 * math.cos(t), 2.6 * math.sin(t) * (1.0 if math.cos(t) > 0 else 0.75)
        pts.append((x0 + u * (x * math.cos(rot) - y * math.sin(rot)) + 1.2 * u,
                    y0 + u * (x * math.sin(rot) + y * math.cos(rot)) - 1.2 * u))
    d.polygon(pts, fill=c)
    # the shaft runs through the vane and out at the nib
    d.line([(x0 + 6.5 * u, y0 - 7.5 * u), (x0 - 6.5 * u, y0 + 7.5 * u)], fill=c, width=max(1, round(1.0 * u)))
    d.line([(x0 + 1.5 * u, y0 - 4.5 * u), (x0 + 3.2 * u, y0 - 1.2 * u)], fill=(0, 0, 0, 0), width=max(1, round(0.7 * u)))


def g_bulb(d, s, c, cx, cy):
    d.ellipse([cx - 5 * s, cy - 7 * s, cx + 5 * s, cy + 3 * s], fill=c)
    d.rectangle([cx - 2.5 * s, cy + 2 * s, cx + 2.5 * s, cy + 6 * s], fill=c)


# ---------------------------------------------------------------------------------------------
# push buttons: five frames of 24 rows, drawn over the colour the button stands on

def button_strip(t, w, label=None, glyph_fn=None, bg=None, r=4, bold=False, align="center", icon=None,
                 kind="plain"):
    bg = bg or t.frame
    frames = []
    for state in ("normal", "focused", "hover", "pressed", "disabled"):
        top, bottom, line, fg = t.button, t.button2, t.button_line, t.button_text
        if kind == "close":
            top, bottom, line, fg = t.head, t.head2, mix(t.head2, (0, 0, 0), 0.25), t.head_text
        if state == "hover":
            top, bottom, line = (t.hover, t.hover2, t.accent) if kind != "close" else \
                (mix(t.danger, (255, 255, 255), 0.15), t.danger, mix(t.danger, (0, 0, 0), 0.3))
        elif state == "pressed":
            top, bottom, line = (t.pressed, t.pressed2, t.accent2) if kind != "close" else \
                (mix(t.danger, (0, 0, 0), 0.3), mix(t.danger, (0, 0, 0), 0.1), mix(t.danger, (0, 0, 0), 0.45))
        elif state == "disabled":
            top = bottom = t.disabled
            line, fg = mix(t.disabled, t.disabled_text, 0.45), t.disabled_text
        fill = vgrad(w, PITCH, top, bottom)
        # a soft highlight along the top edge
        ImageDraw.Draw(fill).line([(2, 1), (w - 3, 1)], fill=mix(top, (255, 255, 255), 0.45 if state != "disabled" else 0))
        f = panel(w, PITCH, r, fill, line, outside=bg)
        if state == "focused":  # an accent ring just inside the outline
            ring = Image.new("L", (w, PITCH), 0)
            ring.paste(rmask(w - 2, PITCH - 2, max(1, r - 1), 0), (1, 1))
            ring = ImageChops.subtract(ring, rmask(w, PITCH, r, 2.4))
            f.paste(Image.new("RGB", (w, PITCH), t.accent), (0, 0), ring)
        shift = 1 if state == "pressed" else 0
        if glyph_fn:
            g = glyph(w, PITCH, glyph_fn, fg, (0, 0, 0))
            gm = glyph(w, PITCH, glyph_fn, (255, 255, 255), (0, 0, 0)).convert("L")
            f.paste(Image.new("RGB", (w, PITCH), fg), (shift, shift), gm)
        if label:
            x = w / 2 + shift if align == "center" else (28 if icon else 10) + shift
            text(f, (x, PITCH / 2 + shift), label, fg, 11, bold, "mm" if align == "center" else "lm")
        if icon:
            gm = glyph(22, PITCH, icon, (255, 255, 255), (0, 0, 0)).convert("L")
            f.paste(Image.new("RGB", (22, PITCH), fg if state == "disabled" else t.accent), (4 + shift, shift), gm)
        frames.append(f)
    strip = Image.new("RGB", (w, PITCH * 5), bg)
    for i, f in enumerate(frames):
        strip.paste(f, (0, i * PITCH))
    return strip


# ---------------------------------------------------------------------------------------------
# strips whose frames sit at fractional offsets (the scroll bar's thumb pieces): every row of the
# strip belongs to the frame it lies nearest to, so rounding of the offsets either way is safe

def offset_strip(w, h, offsets, clip, draw_row):
    img = Image.new("RGB", (w, h), KEY)
    px = img.load()
    for y in range(h):
        best = min(range(len(offsets)), key=lambda s: 0 if offsets[s] <= y + 0.5 < offsets[s] + clip
                   else min(abs(y + 0.5 - offsets[s]), abs(y + 0.5 - offsets[s] - clip)))
        r = min(clip - 1, max(0, round(y - offsets[best])))
        row = draw_row(best, r)
        for x in range(w):
            px[x, y] = row[x]
    return img


def thumb_colours(t, s):
    return [(t.thumb, t.thumb2), (mix(t.thumb, t.accent, 0.35), mix(t.thumb2, t.accent, 0.35)),
            (t.accent, t.accent2), (t.disabled, t.disabled)][s]


def thumb_row(t, s, edge=None):
    """One row of the slim thumb (columns 5..19) inside the track; edge rounds its ends."""
    a, b = thumb_colours(t, s)
    row = []
    track = track_row(t)
    for x in range(25):
        inside = 5 <= x <= 19
        if edge is not None:
            inside = 5 + edge <= x <= 19 - edge
        if not inside:
            row.append(track[x])
            continue
        u = (x - 5) / 14
        c = mix(a, b, u)
        if x in (5, 19) or (edge is not None and x in (5 + edge, 19 - edge)):
            c = mix(c, (0, 0, 0), 0.18)
        row.append(c)
    return row


def track_row(t):
    row = []
    for x in range(25):
        u = abs(x - 12) / 12
        row.append(mix(t.track, t.track2, u * u))
    return row


def scroll_set(t, out):
    # buttons: four frames of 24 rows: normal, hover, pressed, disabled
    for name, direction in (("Button_Up", "up"), ("Button_Down", "down")):
        strip = Image.new("RGB", (25, 96), t.track)
        for s in range(4):
            a, b = thumb_colours(t, s)
            if s == 0:
                a, b = mix(t.track, (255, 255, 255), 0.35), t.track
            fill = vgrad(25, 24, a, b)
            f = panel(25, 24, 5, fill, mix(b, (0, 0, 0), 0.2), outside=t.track)
            fg = t.button_text if s in (0, 1) else (255, 255, 255)
            if s == 3:
                fg = t.disabled_text
            gm = glyph(25, 24, g_chevron(direction, 3.6, 1.7), (255, 255, 255), (0, 0, 0)).convert("L")
            f.paste(Image.new("RGB", (25, 24), fg), (0, 0), gm)
            strip.paste(f, (0, s * 24))
        save(strip, out, f"Scrolls/{name}.bmp")
    bg = Image.new("RGB", (25, 110))
    px = bg.load()
    row = track_row(t)
    for y in range(110):
        for x in range(25):
            px[x, y] = row[x]
    save(bg, out, "Scrolls/BG.bmp")
    edges = [3, 1, 0, 0, 0, 0]  # the thumb's rounded ends
    top_offsets = [0] + [(130 * s - 15) / 15 for s in (1, 2, 3)]
    save(offset_strip(25, 32, top_offsets, 6, lambda s, r: thumb_row(t, s, edges[r])), out, "Scrolls/Scroll_Top.bmp")
    low_offsets = [1] + [130 * s / 15 for s in (1, 2, 3)]
    save(offset_strip(25, 33, low_offsets, 6, lambda s, r: thumb_row(t, s, edges[5 - r])), out, "Scrolls/Scroll_Low.bmp")
    filler = [1 + 20 * s for s in range(4)]
    for name in ("Scroll_UpMid", "Scroll_DownMid"):
        save(offset_strip(25, 81, filler, 20, lambda s, r: thumb_row(t, s)), out, f"Scrolls/{name}.bmp")

    def grip(s, r):
        row = thumb_row(t, s)
        if r in (15, 19, 23):  # three grip lines across the thumb's middle
            a, _ = thumb_colours(t, s)
            dark = mix(a, (0, 0, 0), 0.35)
            row = [dark if 9 <= x <= 15 else c for x, c in enumerate(row)]
        if r in (16, 20, 24):
            row = [mix(c, (255, 255, 255), 0.3) if 9 <= x <= 15 else c for x, c in enumerate(row)]
        return row
    save(offset_strip(25, 164, [41 * s for s in range(4)], 39, grip), out, "Scrolls/Scroll_Mid.bmp")


# ---------------------------------------------------------------------------------------------
# windows

def window(t, w, h, title=None, head_h=30, r=10, mark=True):
    """A window background: header band with its title over a body with a soft gradient."""
    body = vgrad(w, h, t.frame, t.frame2)
    if head_h:
        band = vgrad(w, head_h, t.head, t.head2)
        body.paste(band, (0, 0))
        d = ImageDraw.Draw(body)
        d.line([(0, head_h), (w, head_h)], fill=mix(t.head2, (0, 0, 0), 0.25))
        d.line([(0, head_h + 1), (w, head_h + 1)], fill=mix(t.frame, (255, 255, 255), 0.4))
        x = 12
        if mark:
            g = glyph(22, head_h, lambda dd, s, c: g_quill(dd, s, c, k=0.8), t.head_text, band)
            body.paste(g, (8, 0))
            x = 32
        if title:
            text(body, (x, head_h / 2), title, t.head_text, 12, True, "lm")
    return panel(w, h, r, body, t.outline)


def content_panel(t, img, box, r=6):
    x0, y0, x1, y1 = box
    p = panel(x1 - x0, y1 - y0, r, vgrad(x1 - x0, y1 - y0, t.panel, t.panel2), t.panel_line,
              outside=img.getpixel((x0, y0)))
    img.paste(p, (x0, y0))


def well_columns(t, w, x0, x1):
    """One row of a window body with a light well from column x0 to x1 (its border included)."""
    row = []
    for x in range(w):
        if x in (x0, x1):
            row.append(t.panel_line)
        elif x0 < x < x1:
            row.append(t.well)
        else:
            row.append(t.frame2)
    return row


def body_with_well(t, w, h, x0, x1, top=None, bottom=None):
    """A window body whose light well runs from row `top` (its upper edge) to row `bottom`."""
    img = Image.new("RGB", (w, h), t.frame2)
    px = img.load()
    row = well_columns(t, w, x0, x1)
    for y in range(h):
        if (top is not None and y < top) or (bottom is not None and y > bottom):
            continue
        edge = y == top or y == bottom
        for x in range(w):
            px[x, y] = t.panel_line if edge and x0 <= x <= x1 else row[x]
    return img


def header(t, img, w, head_h, title=None, mark=True, size=12):
    band = vgrad(w, head_h, t.head, t.head2)
    img.paste(band, (0, 0))
    d = ImageDraw.Draw(img)
    d.line([(0, head_h), (w, head_h)], fill=mix(t.head2, (0, 0, 0), 0.25))
    x = 10
    if mark:
        g = glyph(22, head_h, lambda dd, s, c: g_quill(dd, s, c, k=0.8), t.head_text, band.crop((6, 0, 28, head_h)))
        img.paste(g, (6, 0))
        x = 30
    if title:
        text(img, (x, head_h / 2), title, t.head_text, size, True, "lm")


def main_pieces(t, out, w):
    """The main window: top piece (header with the button row), tiling middle, bottom piece.
    The rows (284 px from column 10) lie in a light well that the scroll bar stands beside."""
    top_h, mid_h, low_h, head_h, x0, x1 = 64, 37, 49, 33, 8, 294
    full = body_with_well(t, w, top_h + 12, x0, x1, top=35)
    header(t, full, w, head_h, mark=False)
    top = panel(w, top_h + 12, 10, full, t.outline, corners=(True, True, False, False)).crop((0, 0, w, top_h))
    save(top, out, "Main/Background_Top.bmp")
    mid = panel(w, mid_h + 40, 0, body_with_well(t, w, mid_h + 40, x0, x1), t.outline).crop((0, 20, w, 20 + mid_h))
    save(mid, out, "Main/Background_mid.bmp")
    # the rows end 10 px above the window's bottom; the well closes just below them
    # its last row stays clear: docked at the bottom edge the window ends 1 px below the screen
    low = Image.new("RGB", (w, low_h), KEY)
    low.paste(panel(w, low_h + 11, 10, body_with_well(t, w, low_h + 11, x0, x1, bottom=12 + low_h - 9), t.outline,
                    corners=(False, False, True, True)).crop((0, 12, w, 11 + low_h)), (0, 0))
    save(low, out, "Main/Background_Low.bmp")


def clip_row(t, w, h, selected, bg):
    """One clip row: a card with a gap below; the selected one carries an accent bar."""
    img = Image.new("RGB", (w, h), bg)
    a, b = (t.row_sel, t.row_sel2) if selected else (t.row, t.row2)
    card = panel(w, h - 3, 5, vgrad(w, h - 3, a, b), t.accent if selected else t.panel_line, outside=bg)
    if selected:
        ImageDraw.Draw(card).rounded_rectangle([1, 4, 3, h - 8], radius=1, fill=t.accent)
    img.paste(card, (0, 1))
    return img


def popup(t, out, w, he):
    """The delete/save menu: three frames at a pitch of he rows (none, upper, lower item hot)."""
    h = he + 1
    strip = Image.new("RGB", (w, 3 * he + 1), KEY)
    half = h // 2
    # the menu is made of the window body's colours, dark in a dark theme, like the buttons it drops from
    dark = sum(t.frame) < 384
    fg, rule = (t.head_text, mix(t.frame, t.outline, 0.5)) if dark else (t.text, t.panel_line)
    for f in range(3):
        fill = vgrad(w, h, t.frame, t.frame2) if dark else vgrad(w, h, t.panel, t.panel2)
        d = ImageDraw.Draw(fill)
        if f:
            y0, y1 = (3, half - 1) if f == 1 else (half + 1, h - 4)
            d.rounded_rectangle([3, y0, w - 4, y1], radius=4, fill=t.accent)
        d.line([(8, half), (w - 9, half)], fill=rule)
        for item, (label, y) in enumerate((("Selected clips", half / 2 + 1), ("All clips", half + half / 2))):
            hot = f == item + 1
            text(fill, (14, y), label, (255, 255, 255) if hot else fg, 11, False, "lm")
        frame = panel(w, h, 6, fill, t.outline)
        strip.paste(frame, (0, f * he))
    save(strip, out, "Main/Pop-up.bmp")


def checkbox(t, out, name, cell, pitch, radio, bg):
    """Six cells: off, off hover, on, on hover, off pressed, on pressed."""
    strip = Image.new("RGB", (cell, pitch * 6), bg)
    for i, (on, look) in enumerate(((0, "n"), (0, "h"), (1, "n"), (1, "h"), (0, "p"), (1, "p"))):
        # the boxes stand on light panels in every theme, so a clear box stays light under the pointer
        # and pressed, tinted by the accent: the theme's hover and pressed colours are its buttons',
        # dark in a dark theme, where a filled box would read as ticked
        white = (255, 255, 255)
        top, bottom, line = white, mix(t.panel2, t.panel_line, 0.2), mix(t.panel_line, t.text, 0.35)
        if look == "h":
            top, bottom, line = mix(white, t.accent, 0.08), mix(white, t.accent, 0.25), t.accent
        if look == "p":
            top, bottom, line = mix(white, t.accent, 0.25), mix(white, t.accent, 0.4), t.accent2
        if on:
            top, bottom, line = (mix(t.accent, (255, 255, 255), 0.15 if look == "h" else 0), t.accent2,
                                 mix(t.accent2, (0, 0, 0), 0.2)) if not radio else (top, bottom, t.accent)
        size = cell - (1 if radio else 0)
        r = size / 2 if radio else 3
        # a round outline one pixel wide fades into a light panel: the radio's is darker and wider
        if radio and not on:
            line = mix(line, t.text, 0.35)
        box = panel(size, size, r, vgrad(size, size, top, bottom), line, outside=bg, width=1.6 if radio else 1)
        if on and radio:
            dot = glyph(size, size, lambda d, s, c: d.ellipse([(size / 2 - 3.2) * s, (size / 2 - 3.2) * s,
                                                             (size / 2 + 3.2) * s, (size / 2 + 3.2) * s], fill=c),
                        t.accent, box)
            box = dot
        if on and not radio:
            def tick(d, s, c):
                d.line([(2.8 * s, 6.6 * s), (5.2 * s, 9.2 * s), (10.2 * s, 3.6 * s)], fill=c, width=round(1.9 * s),
                       joint="curve")
            box = glyph(size, size, tick, (255, 255, 255), box)
        strip.paste(box, (1 if radio else 0, i * pitch + (1 if radio else 0)))
    save(strip, out, name)


def slider_thumb(t):
    strip = Image.new("RGB", (11, 51), t.panel)
    for top_row, (a, b) in zip((0, 16, 33), ((t.button, t.button2), (t.hover, t.hover2), (t.accent, t.accent2))):
        thumb = panel(11, 18, 4, vgrad(11, 18, a, b), t.accent2 if a == t.accent else t.button_line, outside=t.panel)
        d = ImageDraw.Draw(thumb)
        for y in (7, 9, 11):
            d.line([(3, y), (7, y)], fill=mix(b, (0, 0, 0), 0.3))
        strip.paste(thumb, (0, top_row))
    return strip


def tab_strip(t, w, h):
    """The options dialog's two tabs: tab 1 in front in rows 0..29, tab 2 in front in rows 30..59."""
    img = Image.new("RGB", (w, h), t.frame)
    body = vgrad(w, h, t.frame, t.frame2)
    img.paste(body, (0, 0))
    tabs = ((0, 88, "Appearance"), (88, 170, "Behaviour"))
    for look in range(2):
        y0 = look * 30
        for i, (x0, x1, label) in enumerate(tabs):
            front = i == look
            th = 26 if front else 22
            top = y0 + 26 - th
            fill = vgrad(x1 - x0, th + 6, t.panel if front else t.button2, t.panel if front else mix(t.button2, t.frame2, 0.5))
            tab = panel(x1 - x0, th + 6, 6, fill, t.panel_line if front else t.button_line, outside=img.getpixel((x0, top)),
                        corners=(True, True, False, False))
            tab = tab.crop((0, 0, x1 - x0, th))
            if front:
                ImageDraw.Draw(tab).line([(1, th - 1), (x1 - x0 - 2, th - 1)], fill=t.panel)
            text(tab, ((x1 - x0) / 2, th / 2 + 1), label, t.text if front else t.muted, 11, front, "mm")
            img.paste(tab, (x0, top))
    return img


# ---------------------------------------------------------------------------------------------

SIZES = """// {name} skin: window sizes, and the places and corners of their controls, in pixels
Main_Form[323]
Main_Options[10,7,25,8]
Main_Paste[39,7,82,8]
Main_Save[124,7,82,8]
Main_Delete[209,7,82,8]
Main_Tips[296,7,25,8]
Main_Scroll[296,38]
PopUp_Form[120,47]
Start_Form[80,44]
Start_Down[6,10,44,8]
Start_Close[53,10,25,10]
Tray_Form[178,136]
Tray_Insert[8,30,162,8]
Tray_Options[8,56,162,8]
Tray_ShowHide[8,82,162,8]
Tray_Exit[8,108,162,8]
Exit_Form[250,112]
Exit_OK[66,80,87,8]
Exit_Cancel[155,80,87,8]
Exit_Check[16,59]
Hide_Form[300,172]
Hide_Text[22,43,256,64]
Hide_OK[205,139,87,8]
Hide_Check[16,110]
Hide_Close[268,3,25,10]
Options_Form[425,255]
Options_Ok[137,220,87,8]
Options_Close[390,11,25,10]
Options_Cancel[226,220,87,8]
Options_Apply[315,220,87,8]
"""

# The design captions of the windows, line by line in the caption table's order.
LANGUAGE = [
    "Clipboard is empty",
    "Skin",
    "Transparency of active window",
    "Transparency of inactive window",
    "Appearing speed",
    "Save your clips data before exit",
    "Run on Windows startup ",
    "Automatically remove extra spaces and linebreaks",
    "When pasting multiple-selected slots",
    "Separate slots data with new line",
    "Do not separate slots data",
    "Auto Analyze",
    "Do not show this dialog again",
    "Do not show this message again",
    "Quillmate is still running. You can open it from the tray. To shut down the Quillmate, "
    "right-click on tray icon and choose \u201cExit\u201d. ",
    "Quillmate Options",
    "Hide",
    "Exit",
]


def build(out, t, name):
    # the shared buttons
    save(button_strip(t, 87, "OK", bold=True), out, "OK.bmp")
    save(button_strip(t, 87, "Cancel"), out, "Cancel.bmp")
    save(button_strip(t, 25, glyph_fn=g_close, bg=t.head, kind="close", r=5), out, "Close.bmp")
    checkbox(t, out, "Check.bmp", 13, 14, False, t.panel)

    # main window
    # as wide as the bar's right end 243 px along: docked at the right edge, neither passes it
    w = 323
    main_pieces(t, out, w)
    save(clip_row(t, 284, 70, False, t.well), out, "Main/Clip.bmp")
    save(clip_row(t, 284, 70, True, t.well), out, "Main/Clip_Selected.bmp")
    for fname, label in (("Paste", "Paste"), ("Save", "Save"), ("Delete", "Delete")):
        save(button_strip(t, 82, label, bg=t.head), out, f"Main/{fname}.bmp")
    save(button_strip(t, 25, glyph_fn=g_gear, bg=t.head), out, "Main/Options.bmp")
    save(button_strip(t, 25, glyph_fn=g_info, bg=t.head), out, "Main/i.bmp")
    popup(t, out, 120, 46)
    scroll_set(t, out)

    # start bar: a tab over the main window's right end
    # the bar's top 6 px stay clear: docked at the top edge it stands 6 px above the screen
    bar = Image.new("RGB", (80, 44), KEY)
    bar.paste(panel(80, 38, 10, vgrad(80, 38, t.head, t.head2), t.outline), (0, 6))
    save(bar, out, "Start/Background.bmp")

    def down(d, s, c):
        g_quill(d, s, c, cx=12 * s, cy=12 * s, k=0.75)
        g_chevron("down", 3.4, 1.7)(d, s, c, cx=32 * s, cy=12.5 * s)
    save(button_strip(t, 44, glyph_fn=down, bg=t.head), out, "Start/Down.bmp")

    # tray menu
    tray = window(t, 178, 136, "Quillmate", head_h=24)
    save(tray, out, "Tray/Background.bmp")

    def icon_of(fn):
        return lambda d, s, c: fn(d, s, c)
    icons = {
        "Insert": lambda d, s, c: [d.rounded_rectangle([5 * s, 6 * s, 15 * s, 19 * s], radius=1.5 * s, outline=c,
                                                       width=round(1.6 * s)),
                                   d.rectangle([8 * s, 4 * s, 12 * s, 7 * s], fill=c),
                                   d.line([(8 * s, 11 * s), (13 * s, 11 * s)], fill=c, width=round(1.4 * s)),
                                   d.line([(8 * s, 14.5 * s), (12 * s, 14.5 * s)], fill=c, width=round(1.4 * s))],
        "Options": lambda d, s, c: g_gear_at(d, s, c, 10, 12),
        "Show": lambda d, s, c: g_chevron("up", 3.4, 1.7)(d, s, c, cx=10 * s, cy=12 * s),
        "Hide": lambda d, s, c: g_chevron("down", 3.4, 1.7)(d, s, c, cx=10 * s, cy=12 * s),
        "Exit": lambda d, s, c: [d.arc([4.5 * s, 6 * s, 15.5 * s, 17 * s], 300, 240, fill=c, width=round(1.7 * s)),
                                 d.line([(10 * s, 3.5 * s), (10 * s, 11 * s)], fill=c, width=round(1.7 * s))],
    }
    for fname, label in (("Insert", "Quick insert"), ("Options", "Options"), ("Show", "Show Quillmate"),
                         ("Hide", "Hide Quillmate"), ("Exit", "Exit")):
        save(button_strip(t, 162, label, bg=t.frame, align="left", icon=icon_of(icons[fname])), out, f"Tray/{fname}.bmp")

    # quick insert: 509 wide, rows of 441 x 70 from (19, 27), scroll bar at 462; the bottom tile lies
    # behind the others and is as tall as the top one, so a short window has no gap between them
    iw, ix0, ix1 = 509, 15, 459
    full = body_with_well(t, iw, 134 + 12, ix0, ix1, top=23)
    header(t, full, iw, 21, "Quick insert", size=11)
    top = panel(iw, 134 + 12, 10, full, t.outline, corners=(True, True, False, False)).crop((0, 0, iw, 134))
    save(top, out, "Insert/Top.bmp")
    mid = panel(iw, 101, 0, body_with_well(t, iw, 101, ix0, ix1), t.outline).crop((0, 20, iw, 81))
    save(mid, out, "Insert/Mid.bmp")
    low_h = 134
    low = panel(iw, low_h + 12, 10, body_with_well(t, iw, low_h + 12, ix0, ix1, bottom=12 + low_h - 24), t.outline,
                corners=(False, False, True, True)).crop((0, 12, iw, 12 + low_h))
    save(low, out, "Insert/Low.bmp")
    save(clip_row(t, 441, 70, False, t.well), out, "Insert/Not_Selected.bmp")
    save(clip_row(t, 441, 70, True, t.well), out, "Insert/Selected.bmp")

    # exit confirmation
    ex = window(t, 250, 112, "Exit Quillmate")
    content_panel(t, ex, (8, 36, 242, 76))
    # the question ends clear of the panel's edge and above the check box (Exit_Check's top, 59)
    fit_text(ex, (16, 41, 234, 58), "Stop collecting clips and close Quillmate?", t.text, 11)
    save(ex, out, "Exit/Background.bmp")

    # hide notice
    hd = window(t, 300, 172, "Quillmate keeps running")
    content_panel(t, hd, (8, 36, 292, 130))
    save(hd, out, "Hide-Box/Background.bmp")

    # tips: 399 x 189, buttons on the header (help, close) and along the bottom
    tp = window(t, 399, 189, None, head_h=44)
    g = glyph(26, 44, lambda dd, s, c: g_bulb(dd, s, c, 13 * s, 23 * s), (255, 214, 90), tp.crop((12, 0, 38, 44)))
    tp.paste(g, (12, 0))
    text(tp, (42, 22), "Tip of the day", t.head_text, 14, True, "lm")
    content_panel(t, tp, (12, 46, 387, 152))
    save(tp, out, "Tips/Background.bmp")
    save(button_strip(t, 25, glyph_fn=g_chevron("right", 3.4, 1.8)), out, "Tips/NextTip.bmp")
    save(button_strip(t, 25, glyph_fn=g_chevron("left", 3.4, 1.8)), out, "Tips/PrevTip.bmp")
    save(button_strip(t, 87, "About"), out, "Tips/About.bmp")
    save(button_strip(t, 25, glyph_fn=g_question, bg=t.head, kind="close", r=5), out, "Tips/Help.bmp")
    back = Image.new("RGB", (47, 29), t.frame2)
    d = ImageDraw.Draw(back)
    for y, c in ((13, mix(t.frame2, (0, 0, 0), 0.12)), (14, mix(t.frame2, (255, 255, 255), 0.5))):
        d.line([(0, y), (47, y)], fill=c)
    save(back, out, "Tips/Back.bmp")

    # about box: 300 x 200; the version label stands on the light band at the foot (y 160)
    ab = window(t, 300, 200, None, head_h=0)
    foot = panel(300, 62, 10, vgrad(300, 62, t.panel, t.panel2), t.outline, corners=(False, False, True, True))
    ab.paste(foot.crop((0, 0, 300, 50)), (0, 150))
    ImageDraw.Draw(ab).line([(0, 150), (300, 150)], fill=t.panel_line)
    big = glyph(64, 64, lambda dd, s, c: g_quill(dd, s, c, k=3.0), t.accent, ab.crop((20, 34, 84, 98)))
    ab.paste(big, (20, 34))
    text(ab, (94, 36), "Quillmate", t.text if t.frame[0] > 128 else t.head_text, 26, True)
    text(ab, (96, 76), "Your clipboard, with a memory.", t.muted, 12)
    text(ab, (96, 96), "Every text you copy, one click away.", t.muted, 11)
    text(ab, (290, 190), "Esc closes", t.muted, 9, False, "rm")
    save(panel(300, 200, 10, ab, t.outline), out, "About-Box/Background.bmp")

    # options dialog: 425 x 255, tab strip at (28, 50), pages at (31, 75) 370 x 138
    op = window(t, 425, 255, "Quillmate Options", head_h=46)
    d = ImageDraw.Draw(op)
    d.rounded_rectangle([30, 74, 401, 213], radius=3, outline=t.panel_line)
    save(op, out, "Options/Background.bmp")
    save(tab_strip(t, 173, 61), out, "Options/Buttons.bmp")
    page = vgrad(370, 138, t.panel, t.panel2)
    d = ImageDraw.Draw(page)
    d.line([(0, 0), (369, 0)], fill=t.panel_line)
    d.line([(0, 137), (369, 137)], fill=t.panel_line)
    d.line([(0, 0), (0, 137)], fill=t.panel_line)
    d.line([(369, 0), (369, 137)], fill=t.panel_line)
    save(page, out, "Options/Tab.bmp")
    field = lambda fill, line: panel(149, 23, 3, vgrad(149, 23, *fill), line, outside=t.panel)
    save(field(((255, 255, 255), mix((255, 255, 255), t.panel2, 0.5)), t.button_line), out, "Options/Input.bmp")
    save(field((mix(t.accent, (255, 255, 255), 0.75), mix(t.accent, (255, 255, 255), 0.6)), t.accent), out,
         "Options/SelInput.bmp")
    end = panel(30, 23, 3, Image.new("RGB", (30, 23), (255, 255, 255)), t.button_line, outside=t.panel).crop((6, 0, 30, 23))
    save(end, out, "Options/DownBut.bmp")
    save(button_strip(t, 25, glyph_fn=g_chevron("down", 3.4, 1.7), bg=(255, 255, 255)), out, "Options/Button_Down.bmp")
    save(button_strip(t, 87, "Apply"), out, "Options/Apply.bmp")
    track = panel(128, 8, 3, vgrad(128, 8, mix(t.track, (0, 0, 0), 0.12), t.track), mix(t.track, (0, 0, 0), 0.3),
                  outside=t.panel)
    save(track, out, "Options/cLine.bmp")
    save(slider_thumb(t), out, "Options/Button.bmp")
    checkbox(t, out, "Options/Option.bmp", 16, 16, True, t.panel)

    with open(os.path.join(out, "Sizes.dat"), "wb") as f:
        f.write(SIZES.format(name=name).replace("\n", "\r\n").encode("cp1252"))
    with open(os.path.join(out, "Language.dat"), "wb") as f:
        f.write("\r\n".join(LANGUAGE).encode("cp1252") + b"\r\n")


def g_gear_at(d, s, c, x, y):
    pts = []
    for i in range(16):
        r = (6.0 if i % 2 == 0 else 4.4) * s
        a = math.pi * 2 * i / 16
        for da in (-0.12, 0.12):
            pts.append((x * s + r * math.cos(a + da), y * s + r * math.sin(a + da)))
    d.polygon(pts, fill=c)
    d.ellipse([(x - 2) * s, (y - 2) * s, (x + 2) * s, (y + 2) * s], fill=(0, 0, 0, 0))


LIGHT = Theme(
    frame=(246, 248, 252), frame2=(233, 238, 245), outline=(120, 138, 165),
    head=(76, 128, 196), head2=(48, 96, 164), head_text=(255, 255, 255),
    panel=(255, 255, 255), panel2=(246, 249, 253), panel_line=(196, 207, 222),
    text=(32, 42, 58), muted=(104, 116, 134),
    accent=(52, 112, 196), accent2=(32, 84, 160),
    button=(255, 255, 255), button2=(226, 233, 243), button_line=(140, 158, 184), button_text=(30, 44, 66),
    hover=(240, 247, 255), hover2=(205, 225, 250), pressed=(188, 208, 236), pressed2=(214, 228, 246),
    disabled=(232, 235, 240), disabled_text=(160, 168, 180), danger=(214, 72, 64),
    well=(228, 234, 243), row=(255, 255, 255), row2=(247, 249, 252), row_sel=(226, 238, 255), row_sel2=(208, 226, 252),
    track=(222, 228, 237), track2=(205, 213, 225), thumb=(150, 170, 200), thumb2=(120, 142, 178),
)

DARK = Theme(
    frame=(54, 58, 66), frame2=(40, 43, 50), outline=(16, 18, 22),
    head=(30, 33, 39), head2=(22, 24, 29), head_text=(236, 240, 245),
    panel=(226, 229, 234), panel2=(212, 216, 223), panel_line=(120, 126, 138),
    text=(28, 31, 37), muted=(150, 158, 170),
    accent=(38, 166, 154), accent2=(22, 124, 116),
    button=(86, 92, 104), button2=(64, 69, 79), button_line=(20, 22, 27), button_text=(238, 242, 246),
    hover=(98, 128, 132), hover2=(58, 100, 102), pressed=(30, 96, 92), pressed2=(40, 118, 112),
    disabled=(70, 73, 80), disabled_text=(124, 128, 138), danger=(220, 84, 70),
    well=(158, 165, 176), row=(236, 238, 242), row2=(222, 226, 232), row_sel=(190, 232, 226), row_sel2=(160, 216, 208),
    track=(48, 51, 58), track2=(34, 36, 42), thumb=(120, 128, 142), thumb2=(92, 99, 112),
)
