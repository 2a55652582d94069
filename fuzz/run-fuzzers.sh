#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a bounded time each.
#   fuzz/run-fuzzers.sh [BUILD] [SECONDS]
# New inputs collect in BUILD/fuzz/corpus/<name>, crashes in BUILD/fuzz/artifacts.
set -euo pipefail
BUILD=${1:-build-fuzz}
SECONDS_EACH=${2:-60}
cd "$(dirname "$0")/.."
list="$BUILD/fuzz/fuzzers.txt"
[ -f "$list" ] || { echo "run-fuzzers: $list not found; build with -DZK_FUZZ=ON" >&2; exit 1; }
mkdir -p "$BUILD/fuzz/artifacts"
status=0
while read -r name; do
  [ -n "$name" ] || continue
  corpus="$BUILD/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
  echo "run-fuzzers: $name for ${SECONDS_EACH}s"
  if ! "$BUILD/fuzz/$name" -max_total_time="$SECONDS_EACH" -print_final_stats=1 \
      -artifact_prefix="$BUILD/fuzz/artifacts/$name-" "$corpus" "${seeds[@]}"; then
    echo "run-fuzzers: $name FAILED (see $BUILD/fuzz/artifacts)" >&2
    status=1
  fi
done < "$list"
exit $status
