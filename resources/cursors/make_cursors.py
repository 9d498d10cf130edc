#!/usr/bin/env python3
"""Draws the two zoom cursors as 32 x 32 monochrome XBM images.

Each cursor is a pair: the picture (1 = black, 0 = white) and the mask
(1 = opaque, 0 = transparent). A magnifying glass: a round lens about 12
pixels across centred on the hot spot (5, 5), black rim, white glass with a
black plus or minus sign, and a thick handle towards the lower right.

Run it from this folder: python3 make_cursors.py
"""

SIZE = 32
HOT_X, HOT_Y = 5, 5
LENS_RADIUS = 5.6   # outer edge of the rim, in pixels from the hot spot
RIM_WIDTH = 1.3
SIGN_HALF = 3       # the sign spans HOT - 3 .. HOT + 3
HANDLE = (9, 16)    # the handle runs along the diagonal from (9, 9) to (16, 16)


def lens_distance(x, y):
    return ((x - HOT_X) ** 2 + (y - HOT_Y) ** 2) ** 0.5


def in_lens(x, y):
    return lens_distance(x, y) <= LENS_RADIUS


def in_rim(x, y):
    return LENS_RADIUS - RIM_WIDTH < lens_distance(x, y) <= LENS_RADIUS


def in_handle(x, y):
    return abs(x - y) <= 1 and HANDLE[0] * 2 <= x + y <= HANDLE[1] * 2


def in_sign(x, y, plus):
    across = y == HOT_Y and abs(x - HOT_X) <= SIGN_HALF
    down = x == HOT_X and abs(y - HOT_Y) <= SIGN_HALF
    return across or (plus and down)


def draw(plus):
    picture, mask = [], []
    for y in range(SIZE):
        picture.append([in_rim(x, y) or in_handle(x, y) or in_sign(x, y, plus) for x in range(SIZE)])
        mask.append([in_lens(x, y) or in_handle(x, y) for x in range(SIZE)])
    return picture, mask


def xbm(name, rows):
    data = []
    for row in rows:
        for start in range(0, SIZE, 8):
            byte = 0
            for bit in range(8):
                if row[start + bit]:
                    byte |= 1 << bit  # XBM stores the leftmost pixel in the low bit
            data.append("0x%02x" % byte)
    lines = ["#define %s_width %d" % (name, SIZE), "#define %s_height %d" % (name, SIZE),
             "#define %s_x_hot %d" % (name, HOT_X), "#define %s_y_hot %d" % (name, HOT_Y),
             "static unsigned char %s_bits[] = {" % name]
    for start in range(0, len(data), 12):
        lines.append("   " + ", ".join(data[start:start + 12]) + ",")
    lines[-1] = lines[-1].rstrip(",") + "};"
    return "\n".join(lines) + "\n"


def main():
    for name, plus in (("zoomin", True), ("zoomout", False)):
        picture, mask = draw(plus)
        with open(name + ".xbm", "w") as out:
            out.write(xbm(name, picture))
        with open(name + "_mask.xbm", "w") as out:
            out.write(xbm(name + "_mask", mask))


if __name__ == "__main__":
    main()
