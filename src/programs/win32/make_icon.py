#!/usr/bin/env python3
"""Draws a program icon and writes it as an .ico (16x16 and 32x32, 32-bit
colour with alpha): a rounded tile with a white rising balance line, green for
balvix and blue for balvix-grafico.

The .ico files are committed; run this only to change the design:
    python3 src/programs/win32/make_icon.py src/programs/win32/balvix.ico
    python3 src/programs/win32/make_icon.py src/programs/win32/balvix-grafico.ico
"""
import struct
import sys

TILES = {"balvix": (0x2E, 0x7D, 0x32), "balvix-grafico": (0x15, 0x65, 0xC0)}  # RGB
TILE = TILES["balvix"]
LINE = (0xFF, 0xFF, 0xFF)
# The balance line, in units of the icon's side (0,0 top left).
POINTS = [(0.18, 0.72), (0.40, 0.50), (0.56, 0.62), (0.82, 0.28)]
SAMPLES = 4  # per pixel side, for smooth edges


def inside_tile(x, y):
    """Whether (x, y), in units of the side, lies on the rounded tile."""
    margin, radius = 0.03, 0.2
    lo, hi = margin + radius, 1 - margin - radius
    cx = min(max(x, lo), hi)
    cy = min(max(y, lo), hi)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius**2


def distance_to_segment(px, py, a, b):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = min(max(t, 0.0), 1.0)
    return ((px - ax - t * dx) ** 2 + (py - ay - t * dy) ** 2) ** 0.5


def on_line(x, y, half_width):
    return any(
        distance_to_segment(x, y, POINTS[i], POINTS[i + 1]) <= half_width
        for i in range(len(POINTS) - 1)
    )


def render(size):
    """Rows of (r, g, b, a) pixels, top row first."""
    half_width = max(0.06, 1.1 / size)
    rows = []
    for row in range(size):
        pixels = []
        for col in range(size):
            tile = line = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (col + (sx + 0.5) / SAMPLES) / size
                    y = (row + (sy + 0.5) / SAMPLES) / size
                    if inside_tile(x, y):
                        tile += 1
                        if on_line(x, y, half_width):
                            line += 1
            total = SAMPLES * SAMPLES
            if tile == 0:
                pixels.append((0, 0, 0, 0))
                continue
            share = line / tile
            colour = tuple(round(t + (l - t) * share) for t, l in zip(TILE, LINE))
            pixels.append(colour + (round(255 * tile / total),))
        rows.append(pixels)
    return rows


def bitmap(size):
    """One icon image: BITMAPINFOHEADER, BGRA rows bottom up, then the AND mask."""
    rows = render(size)
    colour = b"".join(
        bytes((b, g, r, a)) for pixels in reversed(rows) for (r, g, b, a) in pixels
    )
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for pixels in reversed(rows):
        line = bytearray(mask_stride)
        for col, (_, _, _, a) in enumerate(pixels):
            if a == 0:
                line[col // 8] |= 0x80 >> (col % 8)
        mask += line
    header = struct.pack(
        "<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0
    )
    return header + colour + bytes(mask)


def icon(sizes):
    images = [bitmap(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    name = sys.argv[1].replace("\\", "/").rsplit("/", 1)[-1].removesuffix(".ico")
    TILE = TILES.get(name, TILE)
    with open(sys.argv[1], "wb") as f:
        f.write(icon([16, 32]))
