#!/usr/bin/env python3
"""Draws res/zintar.ico: a key cap with a lightning-bolt Z, 16 x 16 and 32 x 32, 16 colours."""
import struct
import sys

# The standard 16-colour palette, as (R, G, B).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, NAVY, GREY, SILVER, BLUE, YELLOW, WHITE = 0, 4, 8, 7, 12, 11, 15
CLEAR = None


def draw(size):
    s = size / 32.0
    pixels = [[CLEAR] * size for _ in range(size)]
    # Key cap: a dark outline, a blue face with a light top-left edge.
    lo, hi = int(2 * s), size - 1 - int(2 * s)
    for y in range(lo, hi + 1):
        for x in range(lo, hi + 1):
            corner = (x in (lo, hi)) and (y in (lo, hi))
            if corner:
                continue
            if x in (lo, hi) or y in (lo, hi):
                pixels[y][x] = BLACK
            elif x == lo + 1 or y == lo + 1:
                pixels[y][x] = WHITE if size > 16 else BLUE
            elif x >= hi - int(3 * s) or y >= hi - int(3 * s):
                pixels[y][x] = NAVY
            else:
                pixels[y][x] = BLUE
    # The Z: top bar, diagonal, bottom bar, in yellow.
    a, b = int(8 * s), size - 1 - int(10 * s)
    bar = max(1, int(3 * s))
    for t in range(bar):
        for x in range(a, b + 1):
            pixels[a + t][x] = YELLOW
            pixels[b - t][x] = YELLOW
    span = b - a
    for i in range(span + 1):
        x = b - i
        y = a + i
        for w in range(-max(1, int(2 * s)) + 1, max(1, int(2 * s))):
            if a <= x + w <= b:
                pixels[y][x + w] = YELLOW
    return pixels


def image(size):
    pixels = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', r_b[2], r_b[1], r_b[0], 0) for r_b in PALETTE)
    xor_rows, and_rows = [], []
    for y in reversed(range(size)):  # bottom-up
        row = pixels[y]
        nibbles = [0 if p is CLEAR else p for p in row]
        data = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        data += b'\0' * ((4 - len(data) % 4) % 4)
        xor_rows.append(data)
        bits = 0
        mask = bytearray()
        for i, p in enumerate(row):
            bits = (bits << 1) | (1 if p is CLEAR else 0)
            if i % 8 == 7:
                mask.append(bits)
                bits = 0
        mask += b'\0' * ((4 - len(mask) % 4) % 4)
        and_rows.append(bytes(mask))
    return header + palette + b''.join(xor_rows) + b''.join(and_rows)


def main(path):
    images = [(16, image(16)), (32, image(32))]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, data in images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'res/zintar.ico')
