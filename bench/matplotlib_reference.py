#!/usr/bin/env python3
"""The reference the headless PNG export is measured against: matplotlib
drawing the same picture (5-pixel filled squares of a million compositions
on the triangle, 800 x 800 pixels, PNG).

    /usr/bin/time -v /usr/bin/python3 bench/matplotlib_reference.py [--values] OUT.png [DOCUMENT]

With --values the markers are coloured by a value per point (A times 100)
on viridis, scatter(c=values), and a colour bar is drawn beside the triangle.

Without DOCUMENT the compositions are drawn at random in numpy, so that
matplotlib reads no file at all: the strictest reference for the program,
which reads and parses its document. With DOCUMENT (as written by
bench/make_points_document.py) they are cut out of its text with bytes
operations and converted by numpy, about the fastest Python reads them."""
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

POINT_COUNT = 1_000_000


def random_compositions():
    rng = np.random.default_rng(1)
    a = rng.random(POINT_COUNT)
    b = rng.random(POINT_COUNT) * (1 - a)
    return a, b


def read_compositions(path):
    """A and B of every <TP>A;B;C</TP> of a document without blanks between entries."""
    with open(path, "rb") as f:
        text = f.read()
    start, end = text.index(b"<TP>"), text.rindex(b"</TP>")
    body = text[start + 4:end].replace(b"</TP><TP>", b";")
    values = np.array(body.split(b";"), dtype=float).reshape(-1, 3)
    return values[:, 0], values[:, 1]


def main():
    args = [arg for arg in sys.argv[1:] if arg != "--values"]
    with_values = len(args) != len(sys.argv) - 1
    if len(args) not in (1, 2):
        sys.exit(__doc__)
    a, b = read_compositions(args[1]) if len(args) == 2 else random_compositions()
    # The same projection as the program: A at the top, B at the left.
    x = 1.0 - b - a / 2.0
    y = a * np.sqrt(3.0) / 2.0
    figure = plt.figure(figsize=(8, 8), dpi=100)
    axes = figure.add_axes([0.05, 0.05, 0.9, 0.9])
    axes.set_axis_off()
    axes.set_aspect("equal")
    axes.plot([0, 1, 0.5, 0], [0, 0, np.sqrt(3.0) / 2.0, 0], color="black", linewidth=1)
    # A 5-pixel square is 3.6 points at 100 dpi; the size is an area in points squared.
    if with_values:
        drawn = axes.scatter(x, y, s=3.6**2, marker="s", c=a * 100, cmap="viridis", linewidths=0, antialiased=False)
        figure.colorbar(drawn, ax=axes)
    else:
        axes.scatter(x, y, s=3.6**2, marker="s", color="#1F4FBF", linewidths=0, antialiased=False)
    figure.savefig(args[0], dpi=100)


if __name__ == "__main__":
    main()
