#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests.
#
#   eval "$(tools/pg-cluster.sh start)"   # prints export lines
#   tools/pg-cluster.sh stop              # stops it and removes its folder
#
# start: initdb into a fresh temporary folder, a unix socket in that folder,
# no TCP, trust authentication, C locale (byte order, as the indexes of the
# tests expect). It prints AMBIT_PG_CONNINFO, which the database tests read,
# and AMBIT_PG_DIR, which stop reads. Everything else goes to stderr; when
# the cluster cannot start, the printed text makes the evaluating shell fail.
# initdb refuses to run as root, so root runs the server as the postgres
# system user, who then owns the folder.
set -euo pipefail

fail() {
  echo "pg-cluster: $*" >&2
  printf "echo %q >&2; exit 1\n" "pg-cluster: $*"
  exit 1
}

bindir() {
  local d
  d=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
  if [ -n "$d" ] && [ -x "$d/initdb" ]; then
    echo "$d"
  elif command -v initdb >/dev/null 2>&1; then
    dirname "$(command -v initdb)"
  fi
}

as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

start() {
  local bin dir user=ambit port=5432
  bin=$(bindir)
  [ -n "$bin" ] || fail "initdb not found (install the postgresql package)"
  # Under /tmp, not TMPDIR: the server's user must reach the folder, and a
  # socket path has to stay short.
  dir=$(mktemp -d /tmp/ambit-pg.XXXXXX)
  if [ "$(id -u)" -eq 0 ]; then
    id postgres >/dev/null 2>&1 || fail "the postgres system user is missing"
    chown postgres "$dir"
  fi
  chmod 755 "$dir"
  as_owner "$bin/initdb" -D "$dir/data" -U "$user" --auth=trust --locale=C --encoding=UTF8 >"$dir/initdb.log" 2>&1 ||
    { cat "$dir/initdb.log" >&2; fail "initdb failed"; }
  as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
    -o "-c listen_addresses='' -c unix_socket_directories='$dir' -p $port -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
    start >&2 || { cat "$dir/server.log" >&2 || true; fail "the server did not start"; }
  echo "export AMBIT_PG_DIR='$dir'"
  echo "export AMBIT_PG_CONNINFO='host=$dir port=$port user=$user dbname=postgres'"
}

stop() {
  local dir=${AMBIT_PG_DIR:-} bin
  [ -n "$dir" ] && [ -d "$dir" ] || return 0
  bin=$(bindir)
  if [ -n "$bin" ] && [ -f "$dir/data/postmaster.pid" ]; then
    as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >&2 || true
  fi
  rm -rf "$dir"
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
