#!/usr/bin/env bash
# Adjusts the bundled example networks and prints what the adjustment found, then
# transforms the first one into the system of its identical points.
set -euo pipefail
cli=${1:?path to vertano-cli}
cd "$(dirname "$0")/.."
echo "== examples/sit: twelve points and a shaft point, with supplementary measurements"
"$cli" adjust examples/sit.mtx --points examples/sit-given.txt \
    --supp-distance examples/sit-supp-distance.txt --supp-bearing examples/sit-supp-bearing.txt \
    --supp-height examples/sit-supp-height.txt --supp-plumb examples/sit-supp-plumb.txt
echo
echo "== examples/tiny: a quadrilateral with its middle, in the ASC format"
"$cli" adjust examples/tiny.asc --points examples/tiny-given.txt
echo
echo "== examples/sit transformed into the system of seven identical points (one of them wrong)"
"$cli" transform examples/sit.mtx --points examples/sit-given.txt \
    --supp-distance examples/sit-supp-distance.txt --supp-bearing examples/sit-supp-bearing.txt \
    --supp-height examples/sit-supp-height.txt --supp-plumb examples/sit-supp-plumb.txt \
    --identical examples/sit-identical.txt
