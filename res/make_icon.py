#!/usr/bin/env python3
"""Draws Tallimor's icon: five tally marks on a dark tile, the fifth struck
through in the pink of a leading count. Writes res/tallimor.ico: one
256 x 256, 32-bit image stored as an uncompressed bitmap with its 1-bit mask.
Pure Python, deterministic: run it again and the file is the same."""

import math
import os
import struct

SIZE = 256


def rounded_rect_distance(x, y, left, top, right, bottom, radius):
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2 - radius, (bottom - top) / 2 - radius
    dx, dy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(dx, 0.0), max(dy, 0.0))
    return outside + min(max(dx, dy), 0.0) - radius


def capsule_distance(x, y, ax, ay, bx, by, half_width):
    px, py, vx, vy = x - ax, y - ay, bx - ax, by - ay
    t = max(0.0, min(1.0, (px * vx + py * vy) / (vx * vx + vy * vy)))
    return math.hypot(px - vx * t, py - vy * t) - half_width


def coverage(distance):
    """Anti-aliased coverage of a pixel whose centre is this far outside."""
    return max(0.0, min(1.0, 0.5 - distance))


def over(dst, colour, alpha):
    """Paints colour with the given opacity over dst (straight RGBA floats)."""
    r, g, b, a = dst
    out_a = alpha + a * (1 - alpha)
    if out_a == 0:
        return (0.0, 0.0, 0.0, 0.0)
    mix = lambda c, d: (c * alpha + d * a * (1 - alpha)) / out_a
    return (mix(colour[0], r), mix(colour[1], g), mix(colour[2], b), out_a)


MARKS = [((x, 62), (x, 194)) for x in (72, 106, 140, 174)]
STRIKE = ((48, 178), (206, 80))
CREAM = (244, 241, 232)
PINK = (255, 128, 128)
GREEN = (128, 255, 128)


def pixel(x, y):
    px, py = x + 0.5, y + 0.5
    tile = rounded_rect_distance(px, py, 8, 8, 248, 248, 44)
    top, bottom = (52, 70, 104), (22, 30, 48)
    t = py / SIZE
    shade = tuple(top[i] * (1 - t) + bottom[i] * t for i in range(3))
    colour = over((0.0, 0.0, 0.0, 0.0), shade, coverage(tile))
    colour = over(colour, GREEN, coverage(abs(tile + 5) - 2.5) * coverage(tile))
    for (ax, ay), (bx, by) in MARKS:
        colour = over(colour, CREAM, coverage(capsule_distance(px, py, ax, ay, bx, by, 10)))
    ax, ay = STRIKE[0]
    bx, by = STRIKE[1]
    colour = over(colour, (22, 30, 48), coverage(capsule_distance(px, py, ax, ay, bx, by, 15)))
    colour = over(colour, PINK, coverage(capsule_distance(px, py, ax, ay, bx, by, 11)))
    return colour


def bitmap_rows():
    pixels, mask = bytearray(), bytearray()
    for y in reversed(range(SIZE)):  # bitmaps are stored bottom-up
        bits = 0
        row_mask = bytearray()
        for x in range(SIZE):
            r, g, b, a = pixel(x, y)
            alpha = round(a * 255)
            if alpha == 0:
                pixels += bytes(4)
            else:
                pixels += bytes((round(b), round(g), round(r), alpha))
            bits = (bits << 1) | (alpha == 0)  # 1: transparent
            if x % 8 == 7:
                row_mask.append(bits)
                bits = 0
        mask += row_mask
    return bytes(pixels), bytes(mask)


def main():
    pixels, mask = bitmap_rows()
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(image), 6 + 16)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "tallimor.ico")
    with open(path, "wb") as out:
        out.write(directory + entry + image)


if __name__ == "__main__":
    main()
