#!/usr/bin/env bash
# A private PostgreSQL cluster for the server engine's tests: made in DIR by an unprivileged user (root
# cannot run the server), listening only on a socket in a short folder under /tmp, stopped and removed
# afterwards.
#   pg_cluster.sh start DIR   makes and starts it; writes DIR/uri (the connection URI) when it runs
#   pg_cluster.sh stop DIR    stops it and removes DIR
# Starting never fails the build: where no cluster can start, DIR/uri is missing and DIR/why says why,
# and the tests that need a server skip with that line.
set -uo pipefail
cmd=${1:-}
dir=${2:-}
[ -n "$cmd" ] && [ -n "$dir" ] || { echo "usage: $0 start|stop DIR" >&2; exit 2; }

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)

as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u "$owner" -- "$@"
  else
    "$@"
  fi
}

case "$cmd" in
  start)
    rm -rf "$dir"
    mkdir -p "$dir"
    why() { echo "$*" >"$dir/why"; echo "PostgreSQL cluster not started: $*"; exit 0; }
    [ -n "$bindir" ] && [ -x "$bindir/initdb" ] || why "no PostgreSQL server installed (postgresql)"
    owner=$(id -un)
    if [ "$(id -u)" -eq 0 ]; then
      owner=nobody
      id "$owner" >/dev/null 2>&1 || why "no unprivileged user to run the server"
      chown "$owner" "$dir" || why "cannot hand $dir to $owner"
      # The server's user must reach the folder.
      p="$dir"
      while [ "$p" != "/" ]; do p=$(dirname "$p"); chmod o+x "$p" 2>/dev/null || true; done
    fi
    echo "$owner" >"$dir/owner"
    # The socket lies in a short folder of its own: a socket's path may not be longer than 107 bytes, and a
    # checkout's build folder can be deeper than that.
    sock=$(mktemp -d /tmp/tavrel-pg.XXXXXX) || why "cannot make a folder for the socket"
    echo "$sock" >"$dir/socket"
    if [ "$(id -u)" -eq 0 ]; then chown "$owner" "$sock" || why "cannot hand $sock to $owner"; fi
    as_owner "$bindir/initdb" -D "$dir/data" -A trust -U tavrel -E SQL_ASCII --locale=C >"$dir/initdb.log" 2>&1 \
      || why "initdb failed (see $dir/initdb.log)"
    as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
      -o "-c listen_addresses='' -c unix_socket_directories='$sock' -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=40" \
      start >"$dir/pg_ctl.log" 2>&1 || why "the server did not start (see $dir/server.log)"
    echo "postgresql:///postgres?host=$sock&user=tavrel" >"$dir/uri"
    echo "PostgreSQL cluster running in $dir"
    ;;
  stop)
    if [ -f "$dir/owner" ] && [ -d "$dir/data" ] && [ -n "$bindir" ]; then
      owner=$(cat "$dir/owner")
      as_owner "$bindir/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    [ -f "$dir/socket" ] && rm -rf "$(cat "$dir/socket")"
    rm -rf "$dir"
    ;;
  *)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
