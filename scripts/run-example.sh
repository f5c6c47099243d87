#!/usr/bin/env bash
# Runs the command-line program on the bundled example network.
set -euo pipefail
cli=${1:?path to vertano-cli}
cd "$(dirname "$0")/.."
"$cli" check examples/sit.mtx examples/sit.asc
