#!/usr/bin/env python3
"""Draws Uravik's icon: a clock dial with a dark red rim and black hands,
as one 32 by 32 image in the 16 standard colours, and writes it as an .ico.

    python3 tools/make_icon.py res/uravik.ico
"""
import math
import struct
import sys

# The 16-colour palette every 4-bit icon is drawn in (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_RED, GREY, DARK_GREY, RED, WHITE = 0, 1, 7, 8, 9, 15
SIZE = 32


def draw():
    """Returns rows of (colour index, opaque) from top to bottom."""
    centre = (SIZE - 1) / 2
    pixels = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            dx, dy = x - centre, y - centre
            r = math.hypot(dx, dy)
            if r > 15.5:
                row.append((BLACK, False))
                continue
            colour = WHITE
            if r > 12.5:
                colour = DARK_RED
            elif r > 11.5:
                colour = RED
            else:
                angle = math.degrees(math.atan2(dx, -dy)) % 360
                # Hour marks at 12, 3, 6 and 9.
                if r > 9.5 and min(angle % 90, 90 - angle % 90) < 9:
                    colour = DARK_GREY
                # Minute hand towards 12, hour hand towards 4.
                if abs(dx) < 1.0 and dy < 0 and r < 10.5:
                    colour = BLACK
                hour_angle = math.radians(120)
                along = dx * math.sin(hour_angle) - dy * math.cos(hour_angle)
                across = dx * math.cos(hour_angle) + dy * math.sin(hour_angle)
                if 0 <= along < 7.5 and abs(across) < 1.2:
                    colour = BLACK
                if r < 1.6:
                    colour = RED
            row.append((colour, True))
        pixels.append(row)
    return pixels


def ico_bytes(pixels):
    xor_rows, and_rows = [], []
    for row in reversed(pixels):  # DIBs are stored bottom-up
        packed = bytearray()
        for x in range(0, SIZE, 2):
            packed.append((row[x][0] << 4) | row[x + 1][0])
        xor_rows.append(bytes(packed))
        mask = 0
        for x in range(SIZE):
            mask = (mask << 1) | (0 if row[x][1] else 1)
        and_rows.append(mask.to_bytes(4, "big"))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(b"".join(xor_rows)) + len(b"".join(and_rows)), 0, 0, 16, 0)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(ico_bytes(draw()))
