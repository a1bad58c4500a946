#!/bin/sh
# The same book in a year file and in a year on a PostgreSQL server (a private cluster started for the run):
# the imports timed on both, every report of reports (a)-(d) compared byte for byte, then the four reports
# side by side with ledger, whole processes (median wall time, and user + system time of the process, which
# does not count the server's own work: wall time does).
#   bench/server_vs_embedded.sh [POSTINGS] [TAVREL-CLI]        (default 200000, build/cli/tavrel-cli)
# MAKE_BOOK names the book generator (make_book.py of the shared benchmark folder); RUNS the runs per report.
set -ef
n=${1:-200000} cli=$(realpath "${2:-build/cli/tavrel-cli}")
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/tavrel-server-bench.XXXXXX)
cluster=$work/cluster
trap '"$here/scripts/pg_cluster.sh" stop "$cluster"; rm -rf "$work"' EXIT
"$here/scripts/pg_cluster.sh" start "$cluster"
[ -f "$cluster/uri" ] || { cat "$cluster/why"; exit 1; }
host=$(sed -n 's/.*host=\([^&]*\).*/\1/p' "$cluster/uri")
psql "postgresql:///postgres?host=$host&user=tavrel" -q -c \
  "CREATE DATABASE books TEMPLATE template0 ENCODING 'SQL_ASCII' LC_COLLATE 'C' LC_CTYPE 'C'"
set_uri="postgresql:///books?host=$host&user=tavrel"
python3 "${MAKE_BOOK:-/work/shared/bench/make_book.py}" --n "$n" --out "$work/book" >/dev/null
file=$work/set/2026.vyx server="$set_uri#2026" journal=$work/book/year.journal
"$cli" create-set "$work/set" >/dev/null
"$cli" create-set "$set_uri" >/dev/null
echo "import of $n postings (wall s, user+system s of the tool)"
for kind in accounts openings postings; do
  for year in "$file" "$server"; do
    /usr/bin/time -f "%e %U %S" -o "$work/t" "$cli" import $kind "$year" "$work/book/$kind.csv" >/dev/null
    read wall user sys <"$work/t"
    printf '  %-9s %-8s wall %6.2f  cpu %6.2f\n' $kind "$(case $year in postgres*) echo server;; *) echo embedded;; esac)" \
      "$wall" "$(echo "$user + $sys" | bc)"
  done
done
a="report balance %s --date 20261130"
b="report turnover %s --from 20260401 --to 20261231 --all-levels"
c="report ledger %s --code 1002 --mode detail"
d="report search %s --code 6602 --summary 差旅"
for r in "$a" "$b" "$c" "$d"; do
  # shellcheck disable=SC2059
  # A small book may have nothing to show (the tool then exits 1): the texts are compared all the same.
  "$cli" $(printf "$r" "$file") >"$work/embedded.txt" 2>&1 || true
  "$cli" $(printf "$r" "$server") >"$work/server.txt" 2>&1 || true
  if cmp -s "$work/embedded.txt" "$work/server.txt"; then same=identical; else same=DIFFERENT; fi
  echo "$(printf "$r" YEAR): $(wc -l <"$work/embedded.txt") lines, $same on both engines"
done
run() {
  hyperfine -N -i -w 1 -r ${RUNS:-5} --export-json "$work/$1.json" -n embedded "$2" -n server "$3" -n ledger "$4" \
    >/dev/null
  python3 - "$work/$1.json" "$1" <<'PY'
import json, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
e, s, l = r["embedded"], r["server"], r["ledger"]
cpu = lambda x: x["user"] + x["system"]
print("%-9s wall: embedded %.3f s  server %.3f s  ledger %.3f s  (server/embedded %.1f, ledger/server %.1f)"
      % (sys.argv[2], e["median"], s["median"], l["median"], s["median"] / e["median"], l["median"] / s["median"]))
print("%-9s cpu:  embedded %.3f s  server %.3f s  ledger %.3f s" % ("", cpu(e), cpu(s), cpu(l)))
PY
}
run "(a)" "$cli $(printf "$a" "$file")" "$cli $(printf "$a" "'$server'")" "ledger -f $journal bal --depth 1 -e 2026/12/01"
run "(b)" "$cli $(printf "$b" "$file")" "$cli $(printf "$b" "'$server'")" \
  "sh -c 'ledger -f $journal bal --empty -e 2026/04/01; ledger -f $journal bal --empty -b 2026/04/01 -e 2027/01/01 -l \"amount>0\"; ledger -f $journal bal --empty -b 2026/04/01 -e 2027/01/01 -l \"amount<0\"; ledger -f $journal bal --empty -e 2027/01/01'"
run "(c)" "$cli $(printf "$c" "$file")" "$cli $(printf "$c" "'$server'")" "ledger -f $journal reg ^1002:"
run "(d)" "$cli $(printf "$d" "$file")" "$cli $(printf "$d" "'$server'")" "ledger -f $journal reg ^6602: and @差旅"
