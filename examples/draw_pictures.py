#!/usr/bin/env python3
"""Draws the pictures of a picture example with ImageMagick's convert.

    draw_pictures.py EXAMPLE OUT_DIR

EXAMPLE is drapeaux, formes, horloges or des; every picture its quiz.toml
names is written into OUT_DIR, in the format its extension says. The examples
mix PNG (one of them Adam7-interlaced), JPEG, GIF and BMP, in sizes other than
the player's 300-pixel box, so that fitting is seen at work.
"""
import math
import subprocess
import sys
from pathlib import Path

INTERLACED = ["-interlace", "PNG"]

# The segments of a seven-segment digit, each a rectangle in a 6 x 10 cell:
# top, upper right, lower right, bottom, lower left, upper left, middle.
SEGMENTS = {"a": (1, 0, 5, 1), "b": (5, 1, 6, 5), "c": (5, 5, 6, 9), "d": (1, 9, 5, 10),
            "e": (0, 5, 1, 9), "f": (0, 1, 1, 5), "g": (1, 4.5, 5, 5.5)}
DIGITS = ["abcdef", "bc", "abged", "abgcd", "fgbc", "afgcd", "afgedc", "abc", "abcdefg", "abcdfg"]


def convert(path, size, background, draws, options=()):
    """One picture: a background, then the -draw primitives in order. A draw
    is a (fill, stroke, stroke width, primitive) tuple."""
    args = ["convert", "-size", size, "xc:" + background]
    for fill, stroke, width, primitive in draws:
        args += ["-fill", fill, "-stroke", stroke, "-strokewidth", str(width), "-draw", primitive]
    # No time stamps in a PNG: the same script draws the same bytes.
    if path.suffix == ".png":
        args += ["-define", "png:exclude-chunks=date,time"]
    prefix = "bmp3:" if path.suffix == ".bmp" else ""
    subprocess.run(args + list(options) + [prefix + str(path)], check=True)


def disc(fill, x, y, radius, stroke="none", width=0):
    return (fill, stroke, width, "circle %d,%d %d,%d" % (x, y, x + radius, y))


def points(coordinates):
    return " ".join("%d,%d" % (round(x), round(y)) for x, y in coordinates)


def regular(cx, cy, radius, sides, turn=0.0):
    """The corners of a regular polygon, the first one up."""
    return [(cx + radius * math.sin(turn + 2 * math.pi * i / sides),
             cy - radius * math.cos(turn + 2 * math.pi * i / sides)) for i in range(sides)]


def star(cx, cy, outer, inner, tips):
    return [(cx + (outer if i % 2 == 0 else inner) * math.sin(math.pi * i / tips),
             cy - (outer if i % 2 == 0 else inner) * math.cos(math.pi * i / tips))
            for i in range(2 * tips)]


def digits(text, left, top, scale, colour):
    """Seven-segment digits (and a colon) from (left, top), each 6 x 10 cells of scale pixels."""
    draws, x = [], left
    for char in text:
        if char == ":":
            for y in (3, 7):
                draws.append((colour, "none", 0, "rectangle %d,%d %d,%d" % (
                    x, top + y * scale, x + scale, top + (y + 1) * scale)))
            x += 3 * scale
            continue
        for segment in DIGITS[int(char)]:
            x0, y0, x1, y1 = SEGMENTS[segment]
            draws.append((colour, "none", 0, "rectangle %d,%d %d,%d" % (
                x + x0 * scale, top + y0 * scale, x + x1 * scale - 1, top + y1 * scale - 1)))
        x += 8 * scale
    return draws


def display(path, size, text, options=()):
    """A digital display: green digits on black, centred."""
    width, height = map(int, size.split("x"))
    scale = min(height // 14, width // (8 * len(text)))
    text_width = sum(3 if c == ":" else 8 for c in text) * scale - 2 * scale
    convert(path, size, "#101010",
            digits(text, (width - text_width) // 2, (height - 10 * scale) // 2, scale, "#30E030"),
            options)


# Flags: vertical or horizontal stripes, then whatever lies on them.
def stripes(width, height, colours, vertical=True, weights=None):
    weights = weights or [1] * len(colours)
    total, at, draws = sum(weights), 0, []
    for colour, weight in zip(colours, weights):
        end = at + weight
        if vertical:
            box = (width * at // total, 0, width * end // total - 1, height - 1)
        else:
            box = (0, height * at // total, width - 1, height * end // total - 1)
        draws.append((colour, "none", 0, "rectangle %d,%d %d,%d" % box))
        at = end
    return draws


def rect(colour, x0, y0, x1, y1):
    return (colour, "none", 0, "rectangle %d,%d %d,%d" % (x0, y0, x1, y1))


def flag(path, size, draws, options=()):
    convert(path, size, "white", draws, options)


def draw_drapeaux(out):
    flag(out / "france.png", "300x200", stripes(300, 200, ["#0055A4", "white", "#EF4135"]))
    flag(out / "italie.jpg", "300x200", stripes(300, 200, ["#009246", "white", "#CE2B37"]))
    flag(out / "belgique.gif", "260x225", stripes(260, 225, ["black", "#FDDA24", "#EF3340"]))
    flag(out / "irlande.png", "400x200", stripes(400, 200, ["#169B62", "white", "#FF883E"]),
         INTERLACED)
    flag(out / "allemagne.jpg", "500x300",
         stripes(500, 300, ["black", "#DD0000", "#FFCE00"], vertical=False))
    flag(out / "autriche.bmp", "300x200",
         stripes(300, 200, ["#ED2939", "white", "#ED2939"], vertical=False))
    flag(out / "pays-bas.png", "300x200",
         stripes(300, 200, ["#AE1C28", "white", "#21468B"], vertical=False))
    flag(out / "japon.png", "300x200", [disc("#BC002D", 150, 100, 60)])
    flag(out / "suisse.gif", "200x200", [rect("#DA291C", 0, 0, 199, 199),
                                         rect("white", 85, 40, 115, 160),
                                         rect("white", 40, 85, 160, 115)])
    flag(out / "suede.png", "320x200", [rect("#006AA7", 0, 0, 319, 199),
                                        rect("#FECC00", 100, 0, 139, 199),
                                        rect("#FECC00", 0, 80, 319, 119)])
    leaf = star(200, 105, 75, 35, 7)
    flag(out / "canada.jpg", "400x200",
         stripes(400, 200, ["#D52B1E", "white", "#D52B1E"], weights=[1, 2, 1]) +
         [("#D52B1E", "none", 0, "polygon " + points(leaf)), rect("#D52B1E", 195, 150, 205, 185)])
    greece = stripes(270, 180, ["#0D5EAF", "white"] * 4 + ["#0D5EAF"], vertical=False)
    flag(out / "grece.png", "270x180", greece + [rect("#0D5EAF", 0, 0, 99, 99),
                                                 rect("white", 40, 0, 59, 99),
                                                 rect("white", 0, 40, 99, 59)], INTERLACED)


# Shapes: the question shows the shape, the answer its corners marked.
SHAPES = [
    # file, size, colour, corners (0 for a circle), turn, answer file
    ("triangle.png", "400x300", "#D04040", 3, 0.0, "triangle-coins.gif"),
    ("carre.jpg", "300x300", "#4060D0", 4, math.pi / 4, "carre-coins.png"),
    ("pentagone.png", "300x300", "#40A040", 5, 0.0, "pentagone-coins.jpg"),
    ("hexagone.gif", "300x300", "#E0A020", 6, 0.0, "hexagone-coins.png"),
    ("losange.png", "200x300", "#A040C0", 4, 0.0, "losange-coins.bmp"),
    ("etoile.jpg", "300x300", "#E06000", 10, 0.0, "etoile-coins.png"),
    ("octogone.png", "300x300", "#C00000", 8, math.pi / 8, "octogone-coins.png"),
    ("cercle.bmp", "300x200", "#2090B0", 0, 0.0, "cercle-coins.png"),
    ("trapeze.png", "400x250", "#808020", 4, 0.0, "trapeze-coins.jpg"),
]


def shape_corners(name, width, height, corners, turn):
    cx, cy, radius = width / 2, height / 2, min(width, height) * 0.4
    if name.startswith("losange"):
        return [(cx, cy - radius), (cx + radius * 0.6, cy), (cx, cy + radius),
                (cx - radius * 0.6, cy)]
    if name.startswith("etoile"):
        return star(cx, cy, radius, radius * 0.45, 5)
    if name.startswith("trapeze"):
        return [(cx - radius * 0.6, cy - radius * 0.6), (cx + radius * 0.6, cy - radius * 0.6),
                (cx + radius * 1.1, cy + radius * 0.6), (cx - radius * 1.1, cy + radius * 0.6)]
    return regular(cx, cy, radius, corners, turn)


def draw_formes(out):
    for name, size, colour, corners, turn, answer in SHAPES:
        width, height = map(int, size.split("x"))
        if corners == 0:
            # A circle has no corner: its answer marks the centre instead.
            shape = "circle %d,%d %d,%d" % (width / 2, height / 2, width / 2, height * 0.1)
            marks = [disc("black", width / 2, height / 2, 6)]
        else:
            corner_points = shape_corners(name, width, height, corners, turn)
            shape = "polygon " + points(corner_points)
            marks = [disc("black", x, y, 7) for x, y in corner_points]
        options = INTERLACED if name == "octogone.png" else ()
        convert(out / name, size, "white", [(colour, "none", 0, shape)], options)
        convert(out / answer, size, "white", [("#60C060", "black", 2, shape)] + marks)


CLOCKS = [
    # hour, minute, face file, answer file
    (3, 0, "horloge1.jpg", "heure1.png"),
    (6, 30, "horloge2.png", "heure2.bmp"),
    (9, 15, "horloge3.gif", "heure3.png"),
    (12, 45, "horloge4.png", "heure4.jpg"),
    (2, 20, "horloge5.jpg", "heure5.png"),
    (10, 50, "horloge6.png", "heure6.gif"),
]


def hand(cx, cy, length, degrees, width):
    x = cx + length * math.sin(math.radians(degrees))
    y = cy - length * math.cos(math.radians(degrees))
    return ("none", "black", width, "line %d,%d %d,%d" % (cx, cy, x, y))


def draw_horloges(out):
    size, centre, radius = "360x360", 180, 160
    for hour, minute, face, answer in CLOCKS:
        draws = [disc("#FFF8E0", centre, centre, radius, "#303030", 8)]
        for tick in range(12):
            outer = regular(centre, centre, radius - 12, 12)[tick]
            inner = regular(centre, centre, radius - (34 if tick % 3 == 0 else 24), 12)[tick]
            draws.append(("none", "#303030", 6 if tick % 3 == 0 else 3,
                          "line %d,%d %d,%d" % (*inner, *outer)))
        draws.append(hand(centre, centre, radius * 0.5, (hour % 12) * 30 + minute / 2, 10))
        draws.append(hand(centre, centre, radius * 0.8, minute * 6, 5))
        draws.append(disc("#303030", centre, centre, 10))
        options = INTERLACED if face == "horloge2.png" else ()
        convert(out / face, size, "white", draws, options)
        display(out / answer, "400x150", "%d:%02d" % (hour, minute))


DICE = [
    # left die, right die, picture file, answer file
    (4, 1, "des1.png", "somme1.png"),
    (3, 4, "des2.gif", "somme2.jpg"),
    (6, 2, "des3.jpg", "somme3.png"),
    (5, 4, "des4.png", "somme4.bmp"),
    (6, 5, "des5.bmp", "somme5.png"),
    (6, 6, "des6.png", "somme6.gif"),
]

# Where the pips of each face lie, on a 3 x 3 grid of the die.
PIPS = {1: [(1, 1)], 2: [(0, 0), (2, 2)], 3: [(0, 0), (1, 1), (2, 2)],
        4: [(0, 0), (2, 0), (0, 2), (2, 2)], 5: [(0, 0), (2, 0), (1, 1), (0, 2), (2, 2)],
        6: [(0, 0), (2, 0), (0, 1), (2, 1), (0, 2), (2, 2)]}


def die(left, top, side, face):
    draws = [("white", "black", 4, "roundrectangle %d,%d %d,%d 20,20" % (
        left, top, left + side, top + side))]
    step = side / 4
    for column, row in PIPS[face]:
        x, y = left + step * (column + 1), top + step * (row + 1)
        draws.append(disc("black", x, y, side / 12))
    return draws


def draw_des(out):
    for first, second, picture, answer in DICE:
        options = INTERLACED if picture == "des4.png" else ()
        convert(out / picture, "420x200", "#207040",
                die(20, 20, 160, first) + die(240, 20, 160, second), options)
        display(out / answer, "300x150", str(first + second))


EXAMPLES = {"drapeaux": draw_drapeaux, "formes": draw_formes, "horloges": draw_horloges,
            "des": draw_des}


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in EXAMPLES:
        sys.exit(__doc__)
    out = Path(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    EXAMPLES[sys.argv[1]](out)


if __name__ == "__main__":
    main()
