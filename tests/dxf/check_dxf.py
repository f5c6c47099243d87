"""Reads a DXF drawing of vertano-cli with ezdxf and checks it against the JSON
result of the same run: the eleven layers by name in the language asked for, a
POINT per network point on its layer at (-Y, -X), a LINE per observed pair, and
error ellipses whose axes are the semi-axes times the magnification.

Usage: check_dxf.py DRAWING.dxf RESULT.json cs|en MAGNIFICATION
"""
import json
import math
import sys

import ezdxf
from ezdxf.lldxf.encoding import decode_dxf_unicode

NAMES = {
    "cs": ["0", "BodVyr_Bod", "BodVyr_Znak", "BodVyr_Cislo", "BodFix_Bod", "BodFix_Znak",
           "BodFix_Cislo", "Mereni_Linie", "Mereni_Popis", "ElipsaChyb_Apri", "ElipsaChyb_Apos"],
    "en": ["0", "PointAdj_Point", "PointAdj_Mark", "PointAdj_Number", "PointFix_Point",
           "PointFix_Mark", "PointFix_Number", "Meas_Line", "Meas_Descr", "ErrElips_Apri",
           "ErrElips_Apos"],
}
# Observation kinds that the drawing counts between two points (plumbing ties
# join a point with the one below it and get no line).
PAIR_KINDS = {"distance", "direction", "zenith", "supp-distance", "supp-bearing", "supp-height"}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def close(a, b, tolerance):
    return abs(a - b) <= tolerance * max(1.0, abs(a), abs(b))


def main():
    dxf_path, json_path, lang, magnification = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4]
    result = json.load(open(json_path, encoding="utf-8"))
    doc = ezdxf.readfile(dxf_path)
    msp = doc.modelspace()

    names = [n if i < 9 else n + "_" + magnification for i, n in enumerate(NAMES[lang])]
    layers = [layer.dxf.name for layer in doc.layers]
    for name in names:
        check(name in layers, "layer %s missing" % name)
    other = "en" if lang == "cs" else "cs"
    for name in NAMES[other][1:]:
        check(not any(layer.startswith(name) for layer in layers),
              "layer of the other language %s present" % name)

    points = result["points"]
    by_name = {p["name"]: p for p in points}
    for p in points:
        layer = names[4] if p["fixed"] else names[1]
        found = [e for e in msp.query("POINT") if e.dxf.layer == layer
                 and close(e.dxf.location.x, -p["y"], 1e-13)
                 and close(e.dxf.location.y, -p["x"], 1e-13)]
        check(len(found) == 1, "point %s: %d POINT entities on %s at (-Y, -X)"
              % (p["name"], len(found), layer))
    check(len(msp.query("POINT")) == len(points),
          "%d POINT entities for %d points" % (len(msp.query("POINT")), len(points)))
    numbers = [decode_dxf_unicode(e.dxf.text) for e in msp.query("TEXT")
               if e.dxf.layer in (names[3], names[6])]
    check(sorted(numbers) == sorted(by_name), "point numbers differ: %s" % numbers)

    pairs = set()
    for o in result["observations"]:
        if o["kind"] in PAIR_KINDS and o["station"] != o["target"]:
            pairs.add(frozenset((o["station"], o["target"])))
    lines = [e for e in msp.query("LINE") if e.dxf.layer == names[7]]
    check(len(lines) == len(pairs), "%d lines for %d observed pairs" % (len(lines), len(pairs)))
    for line in lines:
        ends = []
        for end in (line.dxf.start, line.dxf.end):
            ends += [p["name"] for p in points
                     if close(end.x, -p["y"], 1e-13) and close(end.y, -p["x"], 1e-13)]
        check(len(ends) == 2 and frozenset(ends) in pairs,
              "line between %s is not an observed pair" % ends)

    scale = float(magnification)
    sigma = {names[9]: 1.0, names[10]: result["summary"]["sigma0_aposteriori"]
             / result["summary"]["sigma0_apriori"]}
    determined = [p for p in points if not p["fixed"]]
    for layer, factor in sigma.items():
        outlines = [e for e in msp.query("POLYLINE") if e.dxf.layer == layer]
        check(len(outlines) == len(determined), "%d ellipses on %s for %d determined points"
              % (len(outlines), layer, len(determined)))
        for p, outline in zip(determined, outlines):
            vertices = [v.dxf.location for v in outline.vertices]
            check(len(vertices) == 41, "ellipse of %s has %d vertices" % (p["name"], len(vertices)))
            if len(vertices) != 41:
                continue
            centre = (-p["y"], -p["x"])

            def axis(v):
                return math.hypot(v.x - centre[0], v.y - centre[1])

            a = p["ellipse"]["a"] * factor * scale
            b = p["ellipse"]["b"] * factor * scale
            check(close(axis(vertices[0]), a, 1e-9), "ellipse of %s on %s: semi-major %g, not %g"
                  % (p["name"], layer, axis(vertices[0]), a))
            check(close(axis(vertices[10]), b, 1e-9), "ellipse of %s on %s: semi-minor %g, not %g"
                  % (p["name"], layer, axis(vertices[10]), b))

    if failures:
        for f in failures:
            print("FAIL: " + f)
        sys.exit(1)
    print("%s: %d layers, %d points, %d lines and %d ellipses checked with ezdxf %s"
          % (dxf_path, len(layers), len(points), len(lines), 2 * len(determined),
             ezdxf.__version__))


main()
