#!/usr/bin/env bash
# Writes the DXF drawing of the example network with vertano-cli in both
# languages and has a real DXF reader (ezdxf, with Debian's own python3) check it
# against the JSON result of the same run.
set -euo pipefail
cli=${1:?path to vertano-cli}
root=${2:?source folder}
out=${3:?folder for the files}
python=/usr/bin/python3
if ! "$python" -c 'import ezdxf' 2>/dev/null; then
    echo "ezdxf is missing: run scripts/install-deps.sh (package python3-ezdxf)" >&2
    exit 1
fi
mkdir -p "$out"
ex="$root/examples"
for lang in en cs; do
    scale=$([ "$lang" = en ] && echo 50000 || echo 20000)
    "$cli" adjust "$ex/sit.mtx" --points "$ex/sit-given.txt" \
        --supp-distance "$ex/sit-supp-distance.txt" --supp-bearing "$ex/sit-supp-bearing.txt" \
        --supp-height "$ex/sit-supp-height.txt" --supp-plumb "$ex/sit-supp-plumb.txt" \
        --json "$out/sit-$lang.json" --dxf "$out/sit-$lang.dxf" --dxf-lang "$lang" \
        --ellipse-scale "$scale" >/dev/null
    "$python" "$root/tests/dxf/check_dxf.py" "$out/sit-$lang.dxf" "$out/sit-$lang.json" "$lang" "$scale"
done
