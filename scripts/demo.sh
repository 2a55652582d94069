#!/usr/bin/env bash
# make demo: installs what is missing, builds, creates the demo company (SQLite) and its
# cfg.ini in a demo home folder, starts zk_server on a free loopback port and starts the
# client at its login dialog with the demo user preselected (password 123456).
# Without a display the client runs a scripted tour under Xvfb instead and writes one
# screenshot per step into demo-output/, printing their paths; then the server stops.
#
# Settings (environment):
#   BUILD              build folder (build)
#   ZK_DEMO_HOME       the demo's program folder (demo-home)
#   ZK_DEMO_OUTPUT     where the tour's screenshots go (demo-output)
#   ZK_DEMO_SKIP_BUILD 1: use the programs already built in $BUILD/bin
#   ZK_DEMO_TOUR       1: the tour even with a display; "offscreen": the tour on Qt's
#                      offscreen platform instead of Xvfb (the test suite uses it)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=${BUILD:-build}
HOME_DIR=${ZK_DEMO_HOME:-$ROOT/demo-home}
OUT=${ZK_DEMO_OUTPUT:-$ROOT/demo-output}
KEY=demo-key
USER_ID=admin
PASSWORD=123456

if [ "${ZK_DEMO_SKIP_BUILD:-}" != 1 ]; then
  scripts/install-deps.sh
  [ -f "$BUILD/build.ninja" ] || cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$BUILD" -j "$(nproc)" --target Zk_ERP zk_server zk_admin
fi
BIN=$(cd "$BUILD/bin" && pwd)

echo "demo: building the demo company in $HOME_DIR"
demo/build_company.sh "$BIN" "$HOME_DIR" >/dev/null
rm -rf "$HOME_DIR/files" "$HOME_DIR/temp"

# zk_server picks a free port (--port 0) and prints the one it took.
server_out="$HOME_DIR/zk_server.out"
"$BIN/zk_server" --listen 127.0.0.1 --port 0 --key "$KEY" \
  --db "Provider=SQLite;Data Source=$HOME_DIR/company.db" --files "$HOME_DIR/files" \
  --secret "$HOME_DIR/zk_server.secret" --log "$HOME_DIR/zk_server.log" >"$server_out" &
server_pid=$!
trap 'kill "$server_pid" 2>/dev/null || true; wait "$server_pid" 2>/dev/null || true' EXIT
port=""
for _ in $(seq 1 100); do
  port=$(sed -n 's/^listening on .*:\([0-9]*\)$/\1/p' "$server_out" | head -n 1)
  [ -n "$port" ] && break
  kill -0 "$server_pid" 2>/dev/null || { echo "demo: zk_server did not start" >&2; cat "$HOME_DIR/zk_server.log" >&2; exit 1; }
  sleep 0.1
done
[ -n "$port" ] || { echo "demo: zk_server did not report its port" >&2; exit 1; }
echo "demo: zk_server listens on 127.0.0.1:$port"

cat >"$HOME_DIR/cfg.ini" <<INI
[SERVER]
IP=127.0.0.1
PORT=$port
KEY=$KEY
USER=$USER_ID
DHBTN=1
INI

tour=${ZK_DEMO_TOUR:-}
if [ -z "$tour" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  tour=1
fi

if [ -z "$tour" ]; then
  echo "demo: starting Zk_ERP; log in as $USER_ID with the password $PASSWORD"
  "$BIN/Zk_ERP" --home "$HOME_DIR"
  exit 0
fi

rm -rf "$OUT"
mkdir -p "$OUT"
echo "demo: no display here, so Zk_ERP runs its scripted tour; screenshots in $OUT"
tour_args=(--home "$HOME_DIR" --tour "$OUT" --password "$PASSWORD")
if [ "$tour" = offscreen ] || ! command -v xvfb-run >/dev/null; then
  QT_QPA_PLATFORM=offscreen "$BIN/Zk_ERP" "${tour_args[@]}"
else
  xvfb-run -a -s "-screen 0 1440x900x24" "$BIN/Zk_ERP" "${tour_args[@]}"
fi
