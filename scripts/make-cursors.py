#!/usr/bin/env python3
"""Draws the GUI class library's own cursors (drag, no drop, splitters, multiple drag, database wait) as
32 x 32 monochrome cursor files into resources/CURSOR/. Run it after changing the drawings below; the
files it writes are kept in the repository."""

import math
import os
import struct

SIZE = 32
# '.' shows what is under the cursor, 'X' black, 'o' white.
ARROW = [
    "X",
    "XX",
    "XoX",
    "XooX",
    "XoooX",
    "XooooX",
    "XoooooX",
    "XooooooX",
    "XoooooooX",
    "XooooooooX",
    "XoooooXXXXX",
    "XooXooX",
    "XoX XooX",
    "XX  XooX",
    "X    XooX",
    "     XooX",
    "      XX",
]


def blank():
    return [["."] * SIZE for _ in range(SIZE)]


def put(grid, x, y, c):
    if 0 <= x < SIZE and 0 <= y < SIZE:
        grid[y][x] = c


def arrow(grid, left=0, top=0):
    for y, row in enumerate(ARROW):
        for x, c in enumerate(row):
            if c != " ":
                put(grid, left + x, top + y, c)


def box(grid, left, top, right, bottom, fill="o"):
    """A rectangle with a black outline, right and bottom included."""
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            edge = x in (left, right) or y in (top, bottom)
            put(grid, x, y, "X" if edge else fill)


def line(grid, x0, y0, x1, y1, c="X", width=1):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(steps + 1):
        x = round(x0 + (x1 - x0) * i / steps)
        y = round(y0 + (y1 - y0) * i / steps)
        for dx in range(width):
            for dy in range(width):
                put(grid, x + dx, y + dy, c)


def drag():
    grid = blank()
    arrow(grid)
    box(grid, 10, 18, 21, 27)  # the thing carried
    return grid, (0, 0)


def multi_drag():
    grid = blank()
    arrow(grid)
    box(grid, 14, 16, 25, 24)
    box(grid, 12, 18, 23, 26)
    box(grid, 10, 20, 21, 28)
    return grid, (0, 0)


def no_drop():
    grid = blank()
    cx, cy, outer, inner = 15, 15, 11, 7
    for y in range(SIZE):
        for x in range(SIZE):
            d = math.hypot(x - cx, y - cy)
            if inner <= d <= outer:
                put(grid, x, y, "X" if (d < inner + 1 or d > outer - 1) else "o")
    # The slash across the inside, from top left to bottom right.
    for y in range(SIZE):
        for x in range(SIZE):
            if math.hypot(x - cx, y - cy) < inner:
                across = abs((x - cx) - (y - cy)) / math.sqrt(2)
                if across <= 1.5:
                    put(grid, x, y, "o")
                elif across <= 2.5:
                    put(grid, x, y, "X")
    return grid, (cx, cy)


def splitter(horizontal):
    grid = blank()
    c = 15
    # Two bars where the split is, arrows pointing away from it.
    for offset in (-2, 2):
        for i in range(4, 28):
            x, y = (c + offset, i) if horizontal else (i, c + offset)
            put(grid, x, y, "X")
    for d in (-1, 1):
        for i in range(4, 10):
            for j in range(-(10 - i), 10 - i + 1):
                # An arrow head on each side, its tip 12 pixels out.
                along = c + d * (i + 2)
                x, y = (along, c + j) if horizontal else (c + j, along)
                put(grid, x, y, "X" if abs(j) == 10 - i else "o")
        for i in range(3, 6):
            along = c + d * i
            for j in (-1, 0, 1):
                x, y = (along, c + j) if horizontal else (c + j, along)
                put(grid, x, y, "X" if j else "o")
    return grid, (c, c)


def database_wait():
    grid = blank()
    arrow(grid)
    # A drum of data: a cylinder outline with its rings.
    left, right, top, bottom = 13, 27, 15, 29
    cx = (left + right) / 2
    rx = (right - left) / 2
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            put(grid, x, y, "X" if x in (left, right) else "o")
    for ring_y in (top, top + 5, top + 10, bottom):
        for x in range(left, right + 1):
            dy = round(2 * math.sqrt(max(0.0, 1 - ((x - cx) / rx) ** 2)))
            put(grid, x, ring_y + (dy if ring_y != top else -dy), "X")
            if ring_y == top:
                put(grid, x, ring_y + dy, "X")
    return grid, (0, 0)


def cursor_file(grid, hotspot):
    rows_xor = []
    rows_and = []
    for y in reversed(range(SIZE)):  # bottom-up
        xor_bits = 0
        and_bits = 0
        for x in range(SIZE):
            c = grid[y][x]
            bit = 1 << (SIZE - 1 - x)
            if c == ".":
                and_bits |= bit
            elif c == "o":
                xor_bits |= bit
        rows_xor.append(struct.pack(">I", xor_bits))
        rows_and.append(struct.pack(">I", and_bits))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + b"".join(rows_xor) + b"".join(rows_and)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "CURSOR")
    os.makedirs(folder, exist_ok=True)
    for name, draw in [
        ("DRAG", drag),
        ("NODROP", no_drop),
        ("HSPLIT", lambda: splitter(True)),
        ("VSPLIT", lambda: splitter(False)),
        ("MULTIDRAG", multi_drag),
        ("SQLWAIT", database_wait),
    ]:
        grid, hotspot = draw()
        with open(os.path.join(folder, name + ".cur"), "wb") as out:
            out.write(cursor_file(grid, hotspot))


if __name__ == "__main__":
    main()
