#!/usr/bin/env python3
"""Draws the 32 x 32 toolbar pictures: the ten of the main window (win/res/toolbar.bmp) and the
six of the DXF file dialog (win/res/dxf_toolbar.bmp).

Main window, in toolbar order: read folder and convert, read folder, convert, modify row, delete
row, add row, one output file, three output files, help, exit. DXF file dialog: add a folder, run
the list, add one file, delete the selected files, delete all files, cancel. Each strip is an
8-bit BMP (32 pixels high, the pictures side by side) on the button-face grey RGB(192, 192, 192),
which the toolbar maps to the system's button colour, so the pictures sit on any button face. Edges are smoothed only between shapes, never into the
background, so no grey halo shows on a lighter face. Pure Python; the .bmp is committed.

    python3 tools/make_toolbar.py           write both strips
    python3 tools/make_toolbar.py --check   fail if a committed file differs
"""
import math
import pathlib
import struct
import sys

root = pathlib.Path(__file__).resolve().parent.parent

SIZE = 32
FACE = (192, 192, 192)
SUB = 4  # samples per pixel side

# Colours.
INK = (40, 40, 48)
PAPER = (252, 252, 248)
RULE = (120, 130, 150)
FOLDER = (240, 190, 60)
FOLDER_DARK = (176, 124, 24)
BOLT = (255, 206, 40)
BOLT_EDGE = (200, 110, 10)
BLUE = (30, 100, 200)
BLUE_DARK = (16, 60, 140)
RED = (210, 36, 36)
GREEN = (30, 150, 60)
WOOD = (150, 96, 52)
WOOD_DARK = (96, 58, 28)
PENCIL = (250, 170, 40)
PENCIL_TIP = (236, 210, 170)
SUPPLIED = (220, 70, 60)
NOT_PURCHASED = (60, 150, 80)
PURCHASED = (60, 110, 200)


# Shapes: each is a test (x, y) -> bool in picture coordinates (0..32, y down).
def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def polygon(*pts):
    def inside(x, y):
        result = False
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def line(ax, ay, bx, by, width):
    return lambda x, y: segment_distance(x, y, ax, ay, bx, by) <= width / 2


def outline(pts, width):
    """The closed polyline through pts, stroked."""
    segs = list(zip(pts, pts[1:] + pts[:1]))
    return lambda x, y: any(segment_distance(x, y, *a, *b) <= width / 2 for a, b in segs)


def arc(cx, cy, r, width, start, end):
    """A stroked circular arc; angles in degrees, counter-clockwise from +x, y up."""
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if abs(d - r) > width / 2:
            return False
        a = math.degrees(math.atan2(cy - y, x - cx)) % 360
        return (a - start) % 360 <= (end - start) % 360
    return inside


# Building blocks, each a list of (shape, colour), drawn in order.
def folder(x, y, w, h):
    tab = [(polygon((x, y + 3), (x + 2, y), (x + w * 0.42, y), (x + w * 0.5, y + 3)),
            FOLDER_DARK)]
    body = [(rect(x, y + 3, x + w, y + h), FOLDER_DARK),
            (rect(x + 1, y + 4, x + w - 1, y + h - 1), FOLDER)]
    return tab + body


def bolt(x, y, s):
    pts = [(x + 0.62 * s, y), (x + 0.08 * s, y + 0.56 * s), (x + 0.42 * s, y + 0.56 * s),
           (x + 0.22 * s, y + s), (x + 0.92 * s, y + 0.40 * s), (x + 0.56 * s, y + 0.40 * s),
           (x + 0.86 * s, y)]
    return [(polygon(*pts), BOLT), (outline(pts, 1.3), BOLT_EDGE)]


def sheet(x, y, w, h, rows=4, columns=True):
    """A parts list: a white sheet with ruled rows."""
    shapes = [(rect(x, y, x + w, y + h), INK), (rect(x + 1, y + 1, x + w - 1, y + h - 1), PAPER),
              (rect(x + 1, y + 1, x + w - 1, y + 4), BLUE)]
    pitch = (h - 5) / rows
    for k in range(1, rows):
        yy = y + 4 + k * pitch
        shapes.append((rect(x + 1, yy - 0.5, x + w - 1, yy + 0.5), RULE))
    if columns:
        shapes.append((rect(x + w * 0.38 - 0.5, y + 4, x + w * 0.38 + 0.5, y + h - 1), RULE))
    return shapes


def document(x, y, w, h, band=None):
    """A page with a folded corner and text lines; `band` colours its heading."""
    fold = 6
    pts = [(x, y), (x + w - fold, y), (x + w, y + fold), (x + w, y + h), (x, y + h)]
    shapes = [(polygon(*pts), PAPER), (outline(pts, 1.4), INK),
              (polygon((x + w - fold, y), (x + w - fold, y + fold), (x + w, y + fold)), RULE)]
    if band:
        shapes.append((rect(x + 2, y + 3, x + w - fold - 1, y + 6), band))
    for k in range(3):
        yy = y + 10 + k * 4
        if yy < y + h - 2:
            shapes.append((rect(x + 3, yy, x + w - 3, yy + 1.2), RULE))
    return shapes


def arrow_down(cx, y0, y1, colour, width=4, head=5):
    return [(rect(cx - width / 2, y0, cx + width / 2, y1 - head + 1), colour),
            (polygon((cx - head, y1 - head), (cx + head, y1 - head), (cx, y1)), colour)]


def arrow_right(x0, x1, cy, colour, width=4, head=5):
    return [(rect(x0, cy - width / 2, x1 - head + 1, cy + width / 2), colour),
            (polygon((x1 - head, cy - head), (x1 - head, cy + head), (x1, cy)), colour)]


PICTURES = [
    # read folder and convert
    folder(1, 10, 20, 17) + arrow_down(11, 2, 17, BLUE, 3.4, 4.5) + bolt(15, 8, 17),
    # read folder
    folder(2, 12, 28, 18) + arrow_down(16, 1, 22, BLUE, 5, 7),
    # convert
    bolt(3, 1, 30),
    # modify row
    sheet(1, 3, 24, 26) + [
        (line(13, 27, 28, 10, 6.2), INK), (line(13.8, 26.2, 27.6, 10.6, 3.8), PENCIL),
        (polygon((10, 30), (11.4, 23.4), (16.4, 28)), PENCIL_TIP),
        (polygon((10, 30), (10.6, 27.4), (12.6, 29.2)), INK)],
    # delete row
    sheet(1, 3, 24, 26) + [(line(14, 13, 29, 28, 4.2), RED), (line(29, 13, 14, 28, 4.2), RED)],
    # add row
    sheet(1, 3, 24, 26) + [(circle(23, 22, 8.5), GREEN), (rect(18, 20.6, 28, 23.4), PAPER),
                           (rect(21.6, 17, 24.4, 27), PAPER)],
    # one output file
    document(4, 2, 21, 27, BLUE) + arrow_right(18, 31, 24, GREEN, 3.6, 5),
    # three output files
    document(12, 1, 17, 21, PURCHASED) + document(7, 5, 17, 21, NOT_PURCHASED) +
    document(2, 9, 17, 21, SUPPLIED),
    # help
    [(circle(16, 16, 14.5), BLUE_DARK), (circle(16, 16, 13), BLUE),
     (arc(16, 12.2, 5, 3.6, 300, 180), PAPER), (line(18.5, 16.5, 16, 18.5, 3.6), PAPER),
     (rect(14.2, 18, 17.8, 21.2), PAPER), (circle(16, 25, 2.2), PAPER)],
    # exit
    [(rect(4, 2, 20, 30), WOOD_DARK), (rect(6, 4, 18, 30), (40, 40, 40)),
     (polygon((6, 4), (15, 7), (15, 31), (6, 30)), WOOD), (circle(13, 18, 1.1), BOLT)] +
    arrow_right(16, 31, 17, GREEN, 4, 6),
]
assert len(PICTURES) == 10


def dxf_sheet(x, y, w, h):
    """A drawing file: a page with a blue frame and a few circuit lines."""
    fold = 6
    pts = [(x, y), (x + w - fold, y), (x + w, y + fold), (x + w, y + h), (x, y + h)]
    return [(polygon(*pts), PAPER), (outline(pts, 1.4), INK),
            (polygon((x + w - fold, y), (x + w - fold, y + fold), (x + w, y + fold)), RULE),
            (line(x + 3, y + h * 0.45, x + w - 3, y + h * 0.45, 1.4), BLUE),
            (line(x + w * 0.4, y + h * 0.45, x + w * 0.4, y + h - 3, 1.4), BLUE),
            (rect(x + w * 0.4 - 2.2, y + h * 0.62, x + w * 0.4 + 2.2, y + h * 0.78), BLUE_DARK)]


def plus_badge(cx, cy, r):
    return [(circle(cx, cy, r), GREEN), (rect(cx - r * 0.6, cy - r * 0.17, cx + r * 0.6,
                                             cy + r * 0.17), PAPER),
            (rect(cx - r * 0.17, cy - r * 0.6, cx + r * 0.17, cy + r * 0.6), PAPER)]


def cross(cx, cy, s, width, colour):
    return [(line(cx - s, cy - s, cx + s, cy + s, width), colour),
            (line(cx + s, cy - s, cx - s, cy + s, width), colour)]


DXF_PICTURES = [
    # add the drawings of a folder
    folder(1, 8, 26, 20) + plus_badge(23, 23, 8),
    # run the list
    [(circle(16, 16, 14.5), (20, 110, 40)), (circle(16, 16, 13), GREEN),
     (polygon((12, 8), (12, 24), (25, 16)), PAPER)],
    # add one drawing
    dxf_sheet(3, 2, 20, 27) + plus_badge(23, 23, 8),
    # delete the selected drawing
    dxf_sheet(3, 2, 20, 27) + cross(23, 23, 6, 4.2, RED),
    # delete every drawing
    dxf_sheet(11, 1, 17, 22) + dxf_sheet(6, 5, 17, 22) + dxf_sheet(1, 9, 17, 22) +
    cross(22, 23, 7, 4.4, RED),
    # cancel and close
    [(circle(16, 16, 14.5), (150, 20, 20)), (circle(16, 16, 13), RED)] +
    cross(16, 16, 6.5, 4.2, PAPER),
]


def render(shapes):
    """Rows of (r, g, b), top row first."""
    rows = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            samples = []
            for sy in range(SUB):
                for sx in range(SUB):
                    x = px + (sx + 0.5) / SUB
                    y = py + (sy + 0.5) / SUB
                    colour = None
                    for shape, c in shapes:
                        if shape(x, y):
                            colour = c
                    samples.append(colour)
            covered = [c for c in samples if c is not None]
            if len(covered) * 2 < len(samples):
                row.append(FACE)
            else:
                row.append(tuple(round(sum(c[k] for c in covered) / len(covered))
                                 for k in range(3)))
        rows.append(row)
    return rows


def median_cut(colours, count):
    boxes = [sorted(set(colours))]
    while len(boxes) < count:
        boxes.sort(key=lambda b: max(max(c[k] for c in b) - min(c[k] for c in b)
                                     for k in range(3)) if len(b) > 1 else -1)
        box = boxes.pop()
        if len(box) < 2:
            boxes.append(box)
            break
        k = max(range(3), key=lambda k: max(c[k] for c in box) - min(c[k] for c in box))
        box.sort(key=lambda c: c[k])
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return [tuple(round(sum(c[k] for c in b) / len(b)) for k in range(3)) for b in boxes]


def strip(drawings):
    pictures = [render(p) for p in drawings]
    rows = [sum((pic[y] for pic in pictures), []) for y in range(SIZE)]
    pixels = [c for row in rows for c in row]
    others = [c for c in pixels if c != FACE]
    palette = [FACE] + [c for c in median_cut(others, 255) if c != FACE]
    index = {FACE: 0}

    def nearest(c):
        if c not in index:
            index[c] = min(range(len(palette)),
                           key=lambda i: sum((palette[i][k] - c[k]) ** 2 for k in range(3)))
        return index[c]

    width = SIZE * len(drawings)
    body = b""
    for row in reversed(rows):  # bottom-up
        body += bytes(nearest(c) for c in row)
    palette += [(0, 0, 0)] * (256 - len(palette))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, SIZE, 1, 8, 0, len(body), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(table)
    head = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    return head + info + table + body


STRIPS = {"win/res/toolbar.bmp": PICTURES, "win/res/dxf_toolbar.bmp": DXF_PICTURES}


def main():
    for name, drawings in STRIPS.items():
        data = strip(drawings)
        if "--check" in sys.argv:
            if (root / name).read_bytes() != data:
                sys.exit(name + " is not what tools/make_toolbar.py draws")
        else:
            (root / name).write_bytes(data)


if __name__ == "__main__":
    main()
