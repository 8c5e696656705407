#!/usr/bin/env python3
"""Draws the framework's default registration icons: DXLIB_ICON.bmp (32 x 32, 24-bit colour)
and DXLIB_ICON_BW.bmp (32 x 32, 1-bit). Run it from this folder after changing the picture;
the .bmp files it writes are committed beside it."""

import struct

# 16 x 16, drawn at twice the size. '#' frame, '<' and '>' the brackets, '/' the slash,
# '.' the tile, ' ' outside it.
PICTURE = [
    "  ############  ",
    " #............# ",
    "#..............#",
    "#..............#",
    "#....<.../.>...#",
    "#...<..../..>..#",
    "#..<..../....>.#",
    "#.<...../.....>#",
    "#..<.../.....>.#",
    "#...<../....>..#",
    "#....</....>...#",
    "#..............#",
    "#..............#",
    "#..............#",
    " #............# ",
    "  ############  ",
]

COLOURS = {  # (red, green, blue)
    " ": (255, 255, 255),
    "#": (24, 64, 112),
    ".": (232, 240, 250),
    "<": (200, 60, 40),
    ">": (200, 60, 40),
    "/": (40, 120, 60),
}

SIZE = 32
SCALE = SIZE // len(PICTURE)


def pixel(x, y):
    """The picture's character at (x, y) of the icon, y counted from the top."""
    return PICTURE[y // SCALE][x // SCALE]


def file_header(offset, total):
    return b"BM" + struct.pack("<IHHI", total, 0, 0, offset)


def info_header(bits, image_size, colours):
    return struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, bits, 0, image_size, 2835, 2835,
                       colours, 0)


def colour_bitmap():
    rows = []
    for y in reversed(range(SIZE)):  # bottom-up
        row = bytearray()
        for x in range(SIZE):
            red, green, blue = COLOURS[pixel(x, y)]
            row += bytes((blue, green, red))
        row += bytes(-len(row) % 4)
        rows.append(bytes(row))
    bits = b"".join(rows)
    offset = 14 + 40
    return file_header(offset, offset + len(bits)) + info_header(24, len(bits), 0) + bits


def bw_bitmap():
    palette = struct.pack("<BBBB", 0, 0, 0, 0) + struct.pack("<BBBB", 255, 255, 255, 0)
    rows = []
    for y in reversed(range(SIZE)):
        row = bytearray(SIZE // 8)
        for x in range(SIZE):
            if pixel(x, y) in " .":  # white
                row[x // 8] |= 0x80 >> (x % 8)
        row += bytes(-len(row) % 4)
        rows.append(bytes(row))
    bits = b"".join(rows)
    offset = 14 + 40 + len(palette)
    return (file_header(offset, offset + len(bits)) + info_header(1, len(bits), 2) + palette +
            bits)


if __name__ == "__main__":
    with open("DXLIB_ICON.bmp", "wb") as out:
        out.write(colour_bitmap())
    with open("DXLIB_ICON_BW.bmp", "wb") as out:
        out.write(bw_bitmap())
