#!/usr/bin/env bash
# A throwaway PostgreSQL server for the data-layer tests.
#
#   scripts/pg-server.sh start   starts it (or finds it running) and prints
#                                export CLUB_TEST_PG='host=... port=... dbname=... user=...'
#   scripts/pg-server.sh stop    shuts it down and removes its files
#
# The cluster lives under /tmp (or $CLUB_PG_DIR), listens on 127.0.0.1 only, on a free port,
# and trusts local connections. PostgreSQL refuses to run as root, so under root the server
# runs as the `postgres` user. Both commands are safe to run twice.
set -euo pipefail

PGDIR=${CLUB_PG_DIR:-/tmp/clubmgr-pg-$(id -u)}
DATA=$PGDIR/data
DBNAME=clubtest

PGBIN=""
for d in /usr/lib/postgresql/*/bin; do
  if [ -x "$d/initdb" ]; then PGBIN=$d; fi
done
if [ -z "$PGBIN" ]; then
  PGBIN=$(dirname "$(command -v initdb 2>/dev/null || echo /nonexistent/initdb)")
fi
if [ ! -x "$PGBIN/initdb" ]; then
  echo "pg-server.sh: PostgreSQL server programs not found (install postgresql)" >&2
  exit 1
fi

if [ "$(id -u)" -eq 0 ]; then
  RUNAS=postgres
  as_owner() { runuser -u postgres -- "$@"; }
else
  RUNAS=$(id -un)
  as_owner() { "$@"; }
fi

free_port() {
  python3 - <<'EOF'
import socket
s = socket.socket()
s.bind(("127.0.0.1", 0))
print(s.getsockname()[1])
s.close()
EOF
}

print_export() {
  local port
  port=$(cat "$PGDIR/port")
  echo "export CLUB_TEST_PG='host=127.0.0.1 port=$port dbname=$DBNAME user=$RUNAS'"
}

running() {
  [ -f "$DATA/postmaster.pid" ] && as_owner "$PGBIN/pg_ctl" -D "$DATA" status >/dev/null 2>&1
}

start() {
  if running && [ -f "$PGDIR/port" ]; then
    print_export
    return 0
  fi
  mkdir -p "$PGDIR"
  chmod 755 "$PGDIR"
  if [ ! -f "$DATA/PG_VERSION" ]; then
    rm -rf "$DATA"
    mkdir -p "$DATA"
    if [ "$(id -u)" -eq 0 ]; then chown postgres:postgres "$PGDIR" "$DATA"; fi
    as_owner "$PGBIN/initdb" -D "$DATA" -A trust -U "$RUNAS" -E UTF8 --no-locale >"$PGDIR/initdb.log" 2>&1 \
      || { cat "$PGDIR/initdb.log" >&2; exit 1; }
  fi
  local port
  port=$(free_port)
  echo "$port" >"$PGDIR/port"
  # The socket goes into our own folder: /var/run/postgresql may not exist or be writable.
  as_owner "$PGBIN/pg_ctl" -D "$DATA" -l "$PGDIR/server.log" -w -t 60 \
    -o "-c listen_addresses=127.0.0.1 -p $port -k $PGDIR -c fsync=off -c full_page_writes=off -c max_connections=60" \
    start >/dev/null || { cat "$PGDIR/server.log" >&2; exit 1; }
  if ! as_owner "$PGBIN/psql" -h 127.0.0.1 -p "$port" -U "$RUNAS" -d postgres -Atc \
      "select 1 from pg_database where datname='$DBNAME'" | grep -q 1; then
    as_owner "$PGBIN/createdb" -h 127.0.0.1 -p "$port" -U "$RUNAS" "$DBNAME" >&2
  fi
  print_export
}

stop() {
  if running; then
    as_owner "$PGBIN/pg_ctl" -D "$DATA" -m fast -w stop >/dev/null || true
  fi
  rm -rf "$PGDIR"
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
