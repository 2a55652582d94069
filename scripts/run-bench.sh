#!/usr/bin/env bash
# Runs every benchmark program of a build folder. Each prints lines of the form
#   BENCH <name> <value> <goal>
# where value is a ratio measured side by side in the same run.
set -euo pipefail
BUILD=${1:-build}
export QT_QPA_PLATFORM=offscreen
cd "$(dirname "$0")/.."
shopt -s nullglob
status=0
for b in "$BUILD"/bench/bench_*; do
  [ -x "$b" ] || continue
  "$b" || status=1
done
exit $status
