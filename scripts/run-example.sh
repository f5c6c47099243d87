#!/usr/bin/env bash
# With a display: starts the desktop program on the example project. Without
# one: adjusts the bundled example networks with the command-line program,
# prints what the adjustment found, then transforms the first one into the
# system of its identical points; the first one is kept as a project, and its
# project, report, epoch, DXF drawing and picture go to build/example-output/.
set -euo pipefail
cli=${1:?path to vertano-cli}
gui=${2:-}
cd "$(dirname "$0")/.."
if [ -n "$gui" ] && [ -x "$gui" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    echo "Starting $gui on the example project examples/sit.gpr (close its window to end)"
    exec "$gui" examples/sit.gpr
fi
if [ -n "$gui" ]; then
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running the command-line example instead of the window."
    echo
fi
out="$(cd "$(dirname "$cli")/.." && pwd)/example-output"
mkdir -p "$out"
echo "== examples/sit: twelve points and a shaft point, with supplementary measurements"
"$cli" project save -o "$out/sit.gpr" examples/sit.mtx --points examples/sit-given.txt \
    --supp-distance examples/sit-supp-distance.txt --supp-bearing examples/sit-supp-bearing.txt \
    --supp-height examples/sit-supp-height.txt --supp-plumb examples/sit-supp-plumb.txt >/dev/null
"$cli" adjust --project "$out/sit.gpr" --report "$out/sit-report.txt" --epoch "$out/sit.epc" \
    --dxf "$out/sit.dxf" --plot "$out/sit.png"
echo
echo "== examples/tiny: a quadrilateral with its middle, in the ASC format"
"$cli" adjust examples/tiny.asc --points examples/tiny-given.txt
echo
echo "== examples/sit transformed into the system of seven identical points (one of them wrong)"
"$cli" transform examples/sit.mtx --points examples/sit-given.txt \
    --supp-distance examples/sit-supp-distance.txt --supp-bearing examples/sit-supp-bearing.txt \
    --supp-height examples/sit-supp-height.txt --supp-plumb examples/sit-supp-plumb.txt \
    --identical examples/sit-identical.txt
echo
echo "== The example's project and results:"
for f in sit.gpr sit-report.txt sit.epc sit.dxf sit.png; do echo "  $out/$f"; done
