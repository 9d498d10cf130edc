#!/usr/bin/env python3
"""Writes a diagram document with one points series of random compositions:
filled squares of 5 pixels, no polyline. Usage: make_points_document.py COUNT OUT [SEED]"""
import random
import sys


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    count, out = int(sys.argv[1]), sys.argv[2]
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) == 4 else 1)
    with open(out, "w", encoding="utf-8", newline="") as f:
        f.write("<GraphControl><Graph><Series><Serie Type=\"TPointsSerie\">"
                "<LineStyle><Visible>False</Visible></LineStyle>"
                "<Name>Random</Name>"
                "<PointStyle><DotType>2</DotType><FillColor>$FF1F4FBF</FillColor>"
                "<LineColor>$FF1F4FBF</LineColor><Size>5</Size><Visible>True</Visible></PointStyle>"
                "<Items>")
        chunk = []
        for _ in range(count):
            a, b = rng.random(), rng.random()
            if a + b > 1:
                a, b = 1 - a, 1 - b
            chunk.append("<TP>%.6g;%.6g;%.6g</TP>" % (a, b, 1 - a - b))
            if len(chunk) == 10000:
                f.write("".join(chunk))
                chunk.clear()
        f.write("".join(chunk))
        f.write("</Items></Serie></Series></Graph></GraphControl>")


if __name__ == "__main__":
    main()
