#!/usr/bin/env python3
"""Draws test pictures with ImageMagick and writes the resource script that
carries them, as the player stores pictures.

    make_test_pictures.py OUT_DIR PICTURE...

Each PICTURE is ID:FORMAT:WIDTHxHEIGHT, with FORMAT one of bmp, jpg, gif (stored
nibble-swapped as an "IMG" resource), png or png-adam7 (stored plain as
RT_RCDATA), png-badfilter (a PNG whose first row has filter type 5),
png-corrupt (a PNG whose compressed data stops short) or garbage (an "IMG"
resource that is no picture). Writes the files and OUT_DIR/pictures.rc.
"""
import struct
import subprocess
import sys
import zlib
from pathlib import Path

RCDATA_FORMATS = {"png": [], "png-adam7": ["-interlace", "PNG"]}
BROKEN_PNG_FORMATS = {"png-badfilter", "png-corrupt"}
IMG_FORMATS = {"bmp", "jpg", "gif", "garbage"}


def swap_nibbles(data):
    return bytes(((b << 4) | (b >> 4)) & 0xFF for b in data)


def chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data +
            struct.pack(">I", zlib.crc32(kind + data)))


def broken_png(size, kind):
    """An 8-bit greyscale PNG that the player must refuse."""
    width, height = (int(side) for side in size.split("x"))
    rows = b"".join(b"\x00" + bytes(range(width)) for _ in range(height))
    if kind == "png-badfilter":
        rows = b"\x05" + rows[1:]
    compressed = zlib.compress(rows)
    if kind == "png-corrupt":
        compressed = compressed[:len(compressed) // 2]
    header = struct.pack(">IIBBBBB", width, height, 8, 0, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", compressed) +
            chunk(b"IEND", b""))


def draw(path, size, extension, options=()):
    # A gradient with a bar across it: asymmetric, so a flipped or shifted
    # picture does not look the same.
    subprocess.run(["convert", "-size", size, "gradient:red-blue", "-fill", "yellow",
                    "-draw", "rectangle 0,0 %d,%d" % (int(size.split("x")[0]) // 3, 2),
                    *options, "%s:%s" % (extension, path)], check=True)


def write_picture(out, recipe):
    ident, kind, size = recipe.split(":")
    if kind in RCDATA_FORMATS or kind in BROKEN_PNG_FORMATS:
        path = out / ("%s.png" % ident)
        if kind in BROKEN_PNG_FORMATS:
            path.write_bytes(broken_png(size, kind))
        else:
            draw(path, size, "png", RCDATA_FORMATS[kind])
        return '%s RCDATA "%s"\n' % (ident, path.resolve())
    if kind not in IMG_FORMATS:
        sys.exit("unknown picture format: " + kind)
    plain = out / ("%s.%s" % (ident, kind))
    if kind == "garbage":
        plain.write_bytes(b"not a picture at all")
    else:
        draw(plain, size, "bmp3" if kind == "bmp" else kind)
    stored = out / ("%s.img" % ident)
    stored.write_bytes(swap_nibbles(plain.read_bytes()))
    return '%s IMG "%s"\n' % (ident, stored.resolve())


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    script = "".join(write_picture(out, recipe) for recipe in sys.argv[2:])
    (out / "pictures.rc").write_text(script)


if __name__ == "__main__":
    main()
