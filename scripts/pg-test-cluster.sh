#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests and benchmarks.
#   pg-test-cluster.sh start DIR   initialises (once) and starts a cluster under DIR on a free
#                                  loopback port; prints the connection string on stdout
#   pg-test-cluster.sh stop DIR    stops it
# Runs the server as the "postgres" user when started as root (the server refuses root).
set -euo pipefail
cmd=${1:?usage: pg-test-cluster.sh start|stop DIR}
dir=$(realpath -m "${2:?usage: pg-test-cluster.sh start|stop DIR}")

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -n "$bindir" ] || { echo "pg-test-cluster: PostgreSQL server binaries not found" >&2; exit 1; }

as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1]); s.close()'
}

case "$cmd" in
start)
  mkdir -p "$dir"
  [ "$(id -u)" -eq 0 ] && chown postgres:postgres "$dir"
  if [ ! -f "$dir/data/PG_VERSION" ]; then
    as_owner "$bindir/initdb" -D "$dir/data" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 \
      || { cat "$dir/initdb.log" >&2; exit 1; }
  fi
  if as_owner "$bindir/pg_ctl" -D "$dir/data" status >/dev/null 2>&1; then
    port=$(cat "$dir/port")
  else
    port=$(free_port)
    echo "$port" >"$dir/port.tmp"; mv "$dir/port.tmp" "$dir/port"
    as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
      -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
      start >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
  fi
  psql_() { as_owner psql -X -q -h 127.0.0.1 -p "$port" -U postgres "$@"; }
  if ! psql_ -d postgres -tAc "SELECT 1 FROM pg_roles WHERE rolname='zk'" | grep -q 1; then
    psql_ -d postgres -c "CREATE ROLE zk LOGIN SUPERUSER PASSWORD 'zk'"
  fi
  if ! psql_ -d postgres -tAc "SELECT 1 FROM pg_database WHERE datname='zk_test'" | grep -q 1; then
    psql_ -d postgres -c "CREATE DATABASE zk_test OWNER zk"
  fi
  echo "Provider=PostgreSQL;Host=127.0.0.1;Port=$port;Database=zk_test;User ID=zk;Password=zk"
  ;;
stop)
  if [ -f "$dir/data/PG_VERSION" ]; then
    as_owner "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
  fi
  ;;
*)
  echo "usage: pg-test-cluster.sh start|stop DIR" >&2; exit 2 ;;
esac
