#!/usr/bin/env python3
"""Writes a diagram document with one points series of random compositions:
filled squares of 5 pixels, no polyline. With --values each point also gets a
value (its A times 100) and the markers are coloured by it on the Viridis map.
Usage: make_points_document.py [--values] COUNT OUT [SEED]"""
import random
import sys


def main():
    args = [a for a in sys.argv[1:] if a != "--values"]
    with_values = len(args) != len(sys.argv) - 1
    if len(args) not in (2, 3):
        sys.exit(__doc__)
    count, out = int(args[0]), args[1]
    rng = random.Random(int(args[2]) if len(args) == 3 else 1)
    values = []
    with open(out, "w", encoding="utf-8", newline="") as f:
        # Coloured markers get a clear outline, as matplotlib's linewidths=0:
        # an outline of one colour would hide most of a 5-pixel fill.
        outline = "$00000000" if with_values else "$FF1F4FBF"
        f.write("<GraphControl><Graph><Series><Serie Type=\"TPointsSerie\">"
                "<LineStyle><Visible>False</Visible></LineStyle>"
                "<Name>Random</Name>"
                "<PointStyle><DotType>2</DotType><FillColor>$FF1F4FBF</FillColor>"
                "<LineColor>" + outline + "</LineColor><Size>5</Size><Visible>True</Visible></PointStyle>")
        if with_values:
            f.write("<ColorScale><Visible>True</Visible><ColorMap>Viridis</ColorMap></ColorScale>")
        f.write("<Items>")
        chunk = []
        for _ in range(count):
            a, b = rng.random(), rng.random()
            if a + b > 1:
                a, b = 1 - a, 1 - b
            chunk.append("<TP>%.6g;%.6g;%.6g</TP>" % (a, b, 1 - a - b))
            if with_values:
                values.append("<V>%.6g</V>" % (a * 100))
            if len(chunk) == 10000:
                f.write("".join(chunk))
                chunk.clear()
        f.write("".join(chunk))
        f.write("</Items>")
        if with_values:
            f.write("<Values>")
            for start in range(0, len(values), 10000):
                f.write("".join(values[start:start + 10000]))
            f.write("</Values>")
        f.write("</Serie></Series></Graph></GraphControl>")


if __name__ == "__main__":
    main()
