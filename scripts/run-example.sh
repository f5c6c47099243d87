#!/usr/bin/env bash
# Runs the command-line program on the bundled example networks.
set -euo pipefail
cli=${1:?path to vertano-cli}
cd "$(dirname "$0")/.."
"$cli" check examples/sit.mtx --points examples/sit-given.txt \
    --supp-distance examples/sit-supp-distance.txt --supp-bearing examples/sit-supp-bearing.txt \
    --supp-height examples/sit-supp-height.txt --supp-plumb examples/sit-supp-plumb.txt
"$cli" check examples/tiny.asc --points examples/tiny-given.txt
