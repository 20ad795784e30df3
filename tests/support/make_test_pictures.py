#!/usr/bin/env python3
"""Draws test pictures with ImageMagick and writes the resource script that
carries them, as the player stores pictures.

    make_test_pictures.py OUT_DIR SPEC...

Each SPEC is ID:FORMAT:WIDTHxHEIGHT, with FORMAT one of bmp, jpg, gif (stored
nibble-swapped as an "IMG" resource), png or png-adam7 (stored plain as
RT_RCDATA), or garbage (an "IMG" resource that is no picture). Writes the
files and OUT_DIR/pictures.rc.
"""
import subprocess
import sys
from pathlib import Path

RCDATA_FORMATS = {"png": [], "png-adam7": ["-interlace", "PNG"]}
IMG_FORMATS = {"bmp", "jpg", "gif", "garbage"}


def swap_nibbles(data):
    return bytes(((b << 4) | (b >> 4)) & 0xFF for b in data)


def draw(path, size, extension, options=()):
    # A gradient with a bar across it: asymmetric, so a flipped or shifted
    # picture does not look the same.
    subprocess.run(["convert", "-size", size, "gradient:red-blue", "-fill", "yellow",
                    "-draw", "rectangle 0,0 %d,%d" % (int(size.split("x")[0]) // 3, 2),
                    *options, "%s:%s" % (extension, path)], check=True)


def write_picture(out, spec):
    ident, kind, size = spec.split(":")
    if kind in RCDATA_FORMATS:
        path = out / ("%s.png" % ident)
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
    script = "".join(write_picture(out, spec) for spec in sys.argv[2:])
    (out / "pictures.rc").write_text(script)


if __name__ == "__main__":
    main()
