#!/usr/bin/env python3
"""Draws the pictures of the version box and the series window and writes them as BMP files:

  win/res/version.bmp        bitmap 1     200 x 200, 8 bits per pixel
  win/res/series_figure.bmp  bitmap 3003   63 x 67,  4 bits per pixel (the figure)
  win/res/series_title.bmp   bitmap 3004  263 x 63,  4 bits per pixel (the title)

Shapes are drawn here in Python; only text is rasterised by ImageMagick's `convert` (with the
IPA Gothic font of fonts-ipafont-gothic and URW Gothic of fonts-urw-base35), as a grey coverage
mask that is then coloured and quantised here. The BMP files are committed; run this again only
to change the pictures.
"""
import math
import pathlib
import struct
import subprocess

root = pathlib.Path(__file__).resolve().parent.parent
res = root / "win/res"
IPA_GOTHIC = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
URW_GOTHIC_DEMI = "/usr/share/fonts/opentype/urw-base35/URWGothic-Demi.otf"
SS = 4  # supersampling per axis for shapes


# ---------------------------------------------------------------------------------------------
# Images: lists of rows of (r, g, b) floats.

def canvas(w, h, colour=(255, 255, 255)):
    return [[tuple(map(float, colour)) for _ in range(w)] for _ in range(h)]


def blend(dst, src, a):
    return tuple(d + (s - d) * a for d, s in zip(dst, src))


def paint_mask(img, mask, colour, ox=0, oy=0):
    """Paints `colour` through a coverage mask (rows of 0..1) placed at (ox, oy)."""
    h, w = len(img), len(img[0])
    for y, row in enumerate(mask):
        for x, a in enumerate(row):
            if a > 0 and 0 <= x + ox < w and 0 <= y + oy < h:
                img[y + oy][x + ox] = blend(img[y + oy][x + ox], colour, a)


def coverage(w, h, inside):
    """Coverage mask of a shape given by inside(x, y) in pixel units, supersampled."""
    mask = []
    for y in range(h):
        row = []
        for x in range(w):
            n = 0
            for sy in range(SS):
                for sx in range(SS):
                    if inside(x + (sx + 0.5) / SS, y + (sy + 0.5) / SS):
                        n += 1
            row.append(n / (SS * SS))
        mask.append(row)
    return mask


def fill(img, inside, colour):
    paint_mask(img, coverage(len(img[0]), len(img), inside), colour)


def in_polygon(x, y, pts):
    inside = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        dx = max(x0 + r - x, 0, x - (x1 - r))
        dy = max(y0 + r - y, 0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    return inside


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def segment(x0, y0, x1, y1, width):
    """A thick line with round ends."""
    def inside(x, y):
        vx, vy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * vx + (y - y0) * vy) / (vx * vx + vy * vy)))
        px, py = x0 + t * vx - x, y0 + t * vy - y
        return px * px + py * py <= (width / 2) ** 2
    return inside


def text_mask(text, font, size, w, h, x=0, y=0, gravity="NorthWest", kerning=0):
    """Grey coverage (0..1) of `text` rendered by ImageMagick on a w x h field."""
    cmd = ["convert", "-size", f"{w}x{h}", "xc:black", "-font", font, "-pointsize", str(size),
           "-kerning", str(kerning), "-fill", "white", "-gravity", gravity,
           "-annotate", f"+{x}+{y}", text, "-depth", "8", "gray:-"]
    raw = subprocess.run(cmd, check=True, capture_output=True).stdout
    assert len(raw) == w * h, (len(raw), w, h)
    return [[raw[yy * w + xx] / 255 for xx in range(w)] for yy in range(h)]


def dilate(mask, radius):
    h, w = len(mask), len(mask[0])
    offsets = [(dx, dy) for dy in range(-radius, radius + 1) for dx in range(-radius, radius + 1)
               if dx * dx + dy * dy <= radius * radius + radius]
    out = []
    for y in range(h):
        row = []
        for x in range(w):
            v = 0.0
            for dx, dy in offsets:
                xx, yy = x + dx, y + dy
                if 0 <= xx < w and 0 <= yy < h and mask[yy][xx] > v:
                    v = mask[yy][xx]
            row.append(v)
        out.append(row)
    return out


# ---------------------------------------------------------------------------------------------
# Palettes and BMP files.

def nearest(colour, palette):
    best, best_d = 0, None
    for i, p in enumerate(palette):
        d = sum((a - b) ** 2 for a, b in zip(colour, p))
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


def median_cut(colours, count):
    """A palette of at most `count` colours for a list of (r, g, b) ints."""
    boxes = [list(colours)]
    while len(boxes) < count:
        widest, axis, span = None, 0, -1
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for k in range(3):
                values = [c[k] for c in box]
                s = max(values) - min(values)
                if s > span:
                    widest, axis, span = i, k, s
        if widest is None or span == 0:
            break
        box = sorted(boxes.pop(widest), key=lambda c: c[axis])
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return [tuple(round(sum(c[k] for c in box) / len(box)) for k in range(3)) for box in boxes]


def quantise(img, palette=None, count=256):
    pixels = [tuple(max(0, min(255, round(v))) for v in px) for row in img for px in row]
    if palette is None:
        unique = sorted(set(pixels))
        palette = unique if len(unique) <= count else median_cut(pixels, count)
    cache = {}
    indices = []
    for px in pixels:
        if px not in cache:
            cache[px] = nearest(px, palette)
        indices.append(cache[px])
    w = len(img[0])
    return palette, [indices[i:i + w] for i in range(0, len(indices), w)]


def write_bmp(path, palette, rows, bpp):
    h, w = len(rows), len(rows[0])
    entries = 1 << bpp
    assert len(palette) <= entries
    palette = list(palette) + [(0, 0, 0)] * (entries - len(palette))
    stride = ((w * bpp + 31) // 32) * 4
    data = b""
    for row in reversed(rows):  # bottom-up
        if bpp == 8:
            line = bytes(row)
        else:
            padded = list(row) + [0] * (len(row) % 2)
            line = bytes((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))
        data += line + b"\0" * (stride - len(line))
    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, len(data), 2835, 2835, entries, 0)
    offset = 14 + len(info) + len(colour_table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    path.write_bytes(header + info + colour_table + data)


# ---------------------------------------------------------------------------------------------
# Bitmap 1: the version box.

BLUE = (28, 86, 160)
NAVY = (20, 40, 90)
YELLOW = (255, 200, 30)


def version_picture():
    w = h = 200
    img = canvas(w, h)
    # Title band: a vertical gradient with the name.
    for y in range(58):
        c = blend((22, 70, 140), (46, 123, 208), y / 57)
        for x in range(w):
            img[y][x] = c
    for x in range(w):
        img[58][x] = YELLOW
    paint_mask(img, text_mask("Korvane", URW_GOTHIC_DEMI, 34, 150, 50), (255, 255, 255), 12, 6)
    fill(img, lambda x, y: in_polygon(x, y, [(178, 8), (160, 30), (170, 30), (161, 50),
                                             (186, 24), (175, 24), (188, 8)]), YELLOW)
    # A drawing sheet, an arrow, and a parts list.
    fill(img, rounded_rect(22, 70, 74, 112, 3), (210, 220, 235))
    fill(img, rounded_rect(23, 71, 73, 111, 2), (255, 255, 255))
    for x0, y0, x1, y1 in [(30, 80, 30, 102), (30, 80, 48, 80), (48, 80, 48, 92), (48, 92, 66, 92),
                           (30, 102, 66, 102), (66, 80, 66, 102)]:
        fill(img, segment(x0, y0, x1, y1, 1.6), BLUE)
    for cx, cy in [(39, 80), (57, 92), (48, 102)]:
        fill(img, ellipse(cx, cy, 3.2, 3.2), (255, 255, 255))
        fill(img, lambda x, y, cx=cx, cy=cy: 1.4 <= math.hypot(x - cx, y - cy) <= 3.2, NAVY)
    fill(img, lambda x, y: in_polygon(x, y, [(84, 87), (104, 87), (104, 81), (116, 91),
                                             (104, 101), (104, 95), (84, 95)]), (240, 130, 20))
    fill(img, rounded_rect(126, 70, 178, 112, 3), (210, 220, 235))
    fill(img, rounded_rect(127, 71, 177, 111, 2), (255, 255, 255))
    for k in range(5):
        y = 78 + k * 7
        fill(img, rounded_rect(132, y, 141, y + 3, 1), BLUE)
        fill(img, rounded_rect(145, y, 171 - (k % 3) * 5, y + 3, 1), (150, 160, 175))
    # What the program is, and its version.
    for text, y in [("電気図面の図面形式DXFから", 122), ("部品リストを作成するソフト", 141)]:
        paint_mask(img, text_mask(text, IPA_GOTHIC, 13, w, 18, gravity="North"), NAVY, 0, y)
    for x in range(30, 170):
        img[163][x] = (190, 200, 215)
    paint_mask(img, text_mask("Version 1.06", IPA_GOTHIC, 12, w, 18, gravity="North"),
               (70, 70, 80), 0, 170)
    # A thin frame.
    for i in range(w):
        for x, y in [(i, 199), (0, i), (199, i)]:
            img[y][x] = (150, 160, 175)
    return quantise(img, count=256)


# ---------------------------------------------------------------------------------------------
# Bitmaps 3003 and 3004: the series window's figure and title, 16 colours each.

FIGURE_PALETTE = [
    (255, 255, 255), (0, 0, 0), (20, 40, 90), (28, 86, 160), (90, 150, 220), (190, 215, 245),
    (255, 200, 30), (240, 130, 20), (210, 40, 40), (250, 170, 180), (128, 128, 128),
    (200, 200, 200), (40, 160, 80), (64, 64, 64), (250, 240, 210), (120, 140, 170),
]


def figure_picture():
    w, h = 63, 67
    img = canvas(w, h)
    # Antenna: a lightning bolt on a stalk.
    fill(img, segment(31.5, 14, 31.5, 8, 2), (64, 64, 64))
    fill(img, lambda x, y: in_polygon(x, y, [(34, 0), (26, 8), (31, 8), (27, 15), (38, 5),
                                             (33, 5), (37, 0)]), YELLOW)
    # Feet and arms behind the body.
    for cx in (21, 42):
        fill(img, ellipse(cx, 61.5, 8.5, 4.5), NAVY)
    fill(img, segment(7, 38, 2, 48, 5), BLUE)
    fill(img, segment(56, 38, 61, 28, 5), BLUE)
    fill(img, ellipse(2.5, 49, 3, 3), (255, 255, 255))
    fill(img, ellipse(60.5, 27, 3, 3), (255, 255, 255))
    # Body and face panel.
    fill(img, rounded_rect(6, 14, 57, 60, 10), NAVY)
    fill(img, rounded_rect(8, 16, 55, 58, 8.5), BLUE)
    fill(img, rounded_rect(13, 20, 50, 42, 6), (255, 255, 255))
    for cx in (24, 39):
        fill(img, ellipse(cx, 29, 3.2, 4.2), (0, 0, 0))
        fill(img, ellipse(cx + 1, 27.5, 1.2, 1.2), (255, 255, 255))
    for cx in (18.5, 44.5):
        fill(img, ellipse(cx, 35, 3, 2), (250, 170, 180))
    fill(img, lambda x, y: 4 <= math.hypot(x - 31.5, y - 33) <= 5.6 and y > 34.5, (210, 40, 40))
    # A "T" on the belly.
    fill(img, rounded_rect(22, 45, 41, 49, 1.5), YELLOW)
    fill(img, rounded_rect(29.5, 45, 33.5, 56, 1.5), YELLOW)
    return quantise(img, FIGURE_PALETTE)


TITLE_PALETTE = [
    (255, 255, 255), (20, 40, 90), (60, 80, 130), (150, 150, 160), (205, 205, 212),
    (235, 235, 240), (255, 236, 120), (255, 214, 60), (255, 190, 30), (250, 160, 20),
    (240, 130, 20), (225, 100, 20), (120, 100, 90), (200, 150, 80), (28, 86, 160), (0, 0, 0),
]


def title_picture():
    w, h = 263, 63
    img = canvas(w, h)
    letters = text_mask("Tessilon", URW_GOTHIC_DEMI, 52, w, h, 0, -2, "Center", kerning=2)
    outline = dilate(letters, 2)
    shadow = [[0.0] * w for _ in range(h)]
    for y in range(h - 4):
        for x in range(w - 4):
            shadow[y + 4][x + 4] = outline[y][x]
    paint_mask(img, shadow, (205, 205, 212))
    paint_mask(img, outline, (20, 40, 90))
    top = min(y for y in range(h) if max(letters[y]) > 0.5)
    bottom = max(y for y in range(h) if max(letters[y]) > 0.5)
    for y in range(h):
        c = blend((255, 236, 120), (225, 100, 20), max(0.0, min(1.0, (y - top) / (bottom - top))))
        for x in range(w):
            if letters[y][x] > 0:
                img[y][x] = blend(img[y][x], c, letters[y][x])
    return quantise(img, TITLE_PALETTE)


def main():
    palette, rows = version_picture()
    print(f"version.bmp: {len(palette)} colours")
    write_bmp(res / "version.bmp", palette, rows, 8)
    write_bmp(res / "series_figure.bmp", *figure_picture(), 4)
    write_bmp(res / "series_title.bmp", *title_picture(), 4)


if __name__ == "__main__":
    main()
