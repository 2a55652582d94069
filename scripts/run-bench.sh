#!/usr/bin/env bash
# Runs every benchmark program of a build folder. Each prints lines of the form
#   BENCH <name> <value> <goal>
# where value is measured in the same run (a ratio, side by side, where a goal is given).
set -euo pipefail
BUILD=${1:-build}
export QT_QPA_PLATFORM=offscreen
cd "$(dirname "$0")/.."
shopt -s nullglob

# Benchmarks that compare against PostgreSQL (the server link's against libpq) get a
# throwaway cluster when none is given; without one they skip that figure.
if [ -z "${ZK_TEST_PG:-}" ]; then
  pgdir=$(mktemp -d /tmp/zk-pgbench.XXXXXX)
  trap 'scripts/pg-test-cluster.sh stop "$pgdir"; rm -rf "$pgdir"' EXIT
  if ZK_TEST_PG=$(scripts/pg-test-cluster.sh start "$pgdir"); then
    export ZK_TEST_PG
  else
    echo "run-bench: no PostgreSQL cluster; its figures are skipped" >&2
  fi
fi
status=0
for b in "$BUILD"/bench/bench_*; do
  [ -x "$b" ] || continue
  "$b" || status=1
done
exit $status
