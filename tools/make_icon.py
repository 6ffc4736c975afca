#!/usr/bin/env python3
"""Draws the program icon (16, 32 and 48 px) and writes win/res/korvane.ico.

A sheet of paper with list lines and a lightning bolt: drawings in, parts list out.
Pure Python so that it runs on any machine; the .ico is committed.
"""
import pathlib
import struct

root = pathlib.Path(__file__).resolve().parent.parent


def inside_polygon(x, y, pts):
    inside = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def pixel(u, v):
    """Colour (r, g, b, a) at unit coordinates (0..1, top-left origin)."""
    # Blue rounded tile.
    r = 0.18
    dx = max(r - u, 0, u - (1 - r))
    dy = max(r - v, 0, v - (1 - r))
    if dx * dx + dy * dy > r * r:
        return (0, 0, 0, 0)
    colour = (28, 86, 160, 255)
    # Paper.
    if 0.16 <= u <= 0.70 and 0.12 <= v <= 0.88:
        colour = (250, 250, 245, 255)
        for k in range(5):
            y0 = 0.24 + k * 0.13
            if y0 <= v <= y0 + 0.05 and 0.24 <= u <= 0.62:
                colour = (60, 60, 70, 255) if u < 0.34 else (150, 150, 160, 255)
    # Lightning bolt.
    bolt = [(0.78, 0.10), (0.52, 0.52), (0.68, 0.52), (0.56, 0.92), (0.90, 0.42),
            (0.73, 0.42), (0.88, 0.10)]
    if inside_polygon(u, v, bolt):
        colour = (255, 200, 30, 255)
    return colour


def image(size):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up DIB
        row = b""
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(4):
                for sx in range(4):
                    c = pixel((x + (sx + 0.5) / 4) / size, (y + (sy + 0.5) / 4) / size)
                    for k in range(4):
                        acc[k] += c[k]
            r, g, b, a = (v // 16 for v in acc)
            row += bytes((b, g, r, a))
        rows.append(row)
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_mask = b"\0" * (mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask),
                         0, 0, 0, 0)
    return header + xor + and_mask


def main():
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    (root / "win/res/korvane.ico").write_bytes(out)


if __name__ == "__main__":
    main()
