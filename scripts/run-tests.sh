#!/usr/bin/env bash
# Runs every test suite of a build folder against a throwaway PostgreSQL cluster
# that this script starts and stops. Widgets run on the offscreen platform.
set -euo pipefail
BUILD=${1:-build}
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen

# Under /tmp so that the server's own user can reach it wherever the clone lives.
pgdir=$(mktemp -d /tmp/zk-pgtest.XXXXXX)
ZK_TEST_PG=$(scripts/pg-test-cluster.sh start "$pgdir")
export ZK_TEST_PG
# Suites that need PostgreSQL fail rather than skip when it is required.
export ZK_TEST_PG_REQUIRED=1
trap 'scripts/pg-test-cluster.sh stop "$pgdir"; rm -rf "$pgdir"' EXIT

ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)" --timeout 600
