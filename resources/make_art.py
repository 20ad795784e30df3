#!/usr/bin/env python3
"""Draws the player's own cursor and icons and writes them as .cur and .ico files.

    make_art.py OUTPUT_DIR

hand.cur: the 32 x 32 monochrome pointing hand shown over links (hot spot at
the tip of the finger, (6, 0)); play.ico and stop.ico: the 16 x 16 and
32 x 32 images of the play and stop buttons of sound and video questions.
"""
import struct
import sys
from pathlib import Path

# The hand, one character a pixel: '#' black outline, '.' white inside,
# ' ' transparent. The finger's tip is at column 6 of the first row.
HAND = [
    "     ###",
    "    #..#",
    "    #..#",
    "    #..#",
    "    #..#",
    "    #..###",
    "    #..#..###",
    "    #..#..#..##",
    "    #..#..#..#.#",
    "### #........#.#",
    "#..##..........#",
    "#...#..........#",
    " #..#..........#",
    "  #............#",
    "  #............#",
    "   #...........#",
    "   #..........#",
    "    #.........#",
    "    #........#",
    "     #.......#",
    "     #.......#",
    "     #########",
]
HAND_HOTSPOT = (6, 0)
CURSOR_SIZE = 32


def hand_rows():
    # Centre the drawing's tip on the hot spot: the tip sits at column 6 already.
    rows = [row.ljust(CURSOR_SIZE) for row in HAND]
    rows += [" " * CURSOR_SIZE] * (CURSOR_SIZE - len(rows))
    return rows


def mono_bitmap(rows):
    """XOR and AND masks of a monochrome cursor, bottom-up, 32-bit aligned rows."""
    xor_rows, and_rows = [], []
    for row in reversed(rows):
        xor_bits = and_bits = 0
        for x, ch in enumerate(row):
            bit = 1 << (31 - x)
            if ch == " ":
                and_bits |= bit  # transparent: screen kept
            elif ch == ".":
                xor_bits |= bit  # white
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    header = struct.pack("<IiiHHIIiiII", 40, CURSOR_SIZE, CURSOR_SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    return header + palette + b"".join(xor_rows) + b"".join(and_rows)


def directory(kind, entries):
    """An .ico (kind 1) or .cur (kind 2) file from (width, height, x, y, image) entries."""
    out = struct.pack("<HHH", 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    for width, height, a, b, image in entries:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, a, b, len(image), offset)
        offset += len(image)
    return out + b"".join(image for *_, image in entries)


def colour_icon(size, inside):
    """A 32-bit icon image: `inside(x, y)` gives an (r, g, b) colour or None for transparent."""
    pixels, mask = b"", b""
    stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        bits = bytearray(stride)
        for x in range(size):
            colour = inside(x, y)
            if colour is None:
                pixels += b"\0\0\0\0"
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = colour
                pixels += bytes((b, g, r, 255))
        mask += bytes(bits)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + pixels + mask


def play_shape(size):
    # A right-pointing green triangle with a dark edge.
    def inside(x, y):
        left, top, bottom = size * 0.25, size * 0.15, size * 0.85
        if x < left or y < top or y > bottom:
            return None
        half = (bottom - top) / 2
        reach = left + (half - abs(y - (top + half))) * 1.5
        if x > reach:
            return None
        edge = x < left + 1 or x > reach - 1.2
        return (0, 90, 0) if edge else (40, 190, 60)
    return inside


def stop_shape(size):
    # A dark red square with a darker edge.
    def inside(x, y):
        lo, hi = round(size * 0.22), round(size * 0.78)
        if not (lo <= x < hi and lo <= y < hi):
            return None
        edge = x in (lo, hi - 1) or y in (lo, hi - 1)
        return (110, 0, 0) if edge else (200, 30, 30)
    return inside


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    x, y = HAND_HOTSPOT
    (out / "hand.cur").write_bytes(
        directory(2, [(CURSOR_SIZE, CURSOR_SIZE, x, y, mono_bitmap(hand_rows()))]))
    for name, shape in (("play.ico", play_shape), ("stop.ico", stop_shape)):
        images = [(s, s, 1, 32, colour_icon(s, shape(s))) for s in (16, 32)]
        (out / name).write_bytes(directory(1, images))


if __name__ == "__main__":
    main()
