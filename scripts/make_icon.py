#!/usr/bin/env python3
"""Draws Veltrane's icon and writes it as a Windows .ico with nine images:
48, 32 and 16 pixels square, each in 16 colours, 256 colours and true colour.

The picture is a chequered texture tile crossed by an arrow: one texture
replaced by another. Every size is drawn from the same geometry, not scaled.

Usage: make_icon.py OUTPUT.ico
"""
import math
import struct
import sys

SIZES = (48, 32, 16)
DEPTHS = (4, 8, 24)

OUTLINE = (24, 32, 56)
TILE_DARK = (36, 104, 168)
TILE_LIGHT = (96, 164, 220)
ARROW = (250, 176, 24)
ARROW_EDGE = (128, 64, 0)

VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
PALETTE256 = (VGA16
              + [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
              + [(8 + 10 * i,) * 3 for i in range(24)])


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def in_triangle(px, py, a, b, c):
    def side(p, q, r):
        return (p[0] - r[0]) * (q[1] - r[1]) - (q[0] - r[0]) * (p[1] - r[1])
    d1, d2, d3 = side((px, py), a, b), side((px, py), b, c), side((px, py), c, a)
    return not ((d1 < 0 or d2 < 0 or d3 < 0) and (d1 > 0 or d2 > 0 or d3 > 0))


def arrow_colour(u, v, edge):
    """The arrow from lower left to upper right, or None off the arrow."""
    head = ((0.86, 0.14), (0.46, 0.24), (0.76, 0.54))
    shaft = segment_distance(u, v, 0.2, 0.8, 0.64, 0.36)
    if in_triangle(u, v, *head) or shaft < 0.075:
        inner = shaft < 0.075 - edge or in_triangle(u, v, (0.80, 0.19), (0.56, 0.27), (0.73, 0.44))
        return ARROW if inner else ARROW_EDGE
    return None


def tile_colour(u, v, edge):
    """The rounded chequered tile, or None outside it."""
    low, high, radius = 0.06, 0.94, 0.14
    cx = min(max(u, low + radius), high - radius)
    cy = min(max(v, low + radius), high - radius)
    distance = radius - math.hypot(u - cx, v - cy)
    if distance < 0:
        return None
    if distance < edge:
        return OUTLINE
    cell = (int((u - low) / (high - low) * 4) + int((v - low) / (high - low) * 4)) % 2
    return TILE_LIGHT if cell else TILE_DARK


def draw(size):
    """Rows of (r, g, b) or None for transparent, top row first."""
    edge = max(1.0, size / 24) / size
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            u, v = (x + 0.5) / size, (y + 0.5) / size
            colour = arrow_colour(u, v, edge)
            row.append(colour if colour else tile_colour(u, v, edge))
        rows.append(row)
    return rows


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], colour)))


def padded(row_bytes):
    return row_bytes + b'\0' * (-len(row_bytes) % 4)


def pack_bits(values, bits):
    out = bytearray()
    per_byte = 8 // bits
    for i in range(0, len(values), per_byte):
        byte = 0
        for j, value in enumerate(values[i:i + per_byte]):
            byte |= value << (8 - bits * (j + 1))
        out.append(byte)
    return bytes(out)


def colour_rows(rows, depth):
    """The XOR bitmap's rows, top first, and the palette (empty for 24 bits)."""
    if depth == 24:
        return [b''.join(bytes(reversed(c or (0, 0, 0)))
                         for c in row) for row in rows], []
    palette = VGA16 if depth == 4 else PALETTE256
    indexed = [[nearest(palette, c) if c else 0 for c in row] for row in rows]
    return [pack_bits(row, depth) for row in indexed], palette


def dib(size, depth):
    rows = draw(size)
    xor_rows, palette = colour_rows(rows, depth)
    and_rows = [pack_bits([0 if c else 1 for c in row], 1) for row in rows]
    xor = b''.join(padded(r) for r in reversed(xor_rows))
    mask = b''.join(padded(r) for r in reversed(and_rows))
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, depth, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    colours = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + colours + xor + mask


def main():
    images = [(size, depth, dib(size, depth)) for depth in DEPTHS for size in SIZES]
    offset = 6 + 16 * len(images)
    directory = struct.pack('<HHH', 0, 1, len(images))
    for size, depth, data in images:
        directory += struct.pack('<BBBBHHII', size, size, 16 if depth == 4 else 0, 0,
                                 1, depth, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], 'wb') as out:
        out.write(directory + b''.join(data for _, _, data in images))


if __name__ == '__main__':
    main()
