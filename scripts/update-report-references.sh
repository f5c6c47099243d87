#!/usr/bin/env bash
# Writes the reference reports of tests/data/reports anew from the current
# program (the examples' adjustment and transformation reports, every section
# on, English and Czech), then shows what
# changed. Read the whole diff before committing it: every changed number must
# be explained by the change that caused it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --target test_cli
VERTANO_UPDATE_GOLDEN=1 VERTANO_TEST_DATA="$PWD/tests/data" \
    "$build/tests/test_cli" --gtest_filter='Examples/ReportGolden.*:Examples/TransformReportGolden.*' --gtest_brief=1
git --no-pager diff --stat -- tests/data/reports
echo "Now read 'git diff tests/data/reports' before committing the references."
