#!/bin/sh
# The imports and the carry forward of the large book against ledger reading and balancing the same book as
# a journal: whole processes side by side, each import into a fresh copy of the year file it needs (median
# wall time and user + system time, which a busy machine disturbs less), with the peak memory of each.
#   bench/imports_vs_ledger.sh BOOKDIR [TAVREL-CLI]
# BOOKDIR holds what make_book.py writes (accounts.csv, openings.csv, postings.csv, year.journal).
# With BIG=DIR (a year file DIR/2026.vyx that already holds a large book) it also adds the postings to a
# copy of that book and gives the time against the import into the empty one.
set -e
book=$1 cli=$(realpath ${2:-build/cli/tavrel-cli})
# The administrator makes the next year's file and carries forward; nobody has a password here.
export TAVREL_PASSWORD=
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/set" "$work/run"
(cd "$work" && "$cli" create-set "$work/set" >/dev/null)
cp "$work/set/2026.vyx" "$work/empty.vyx"
"$cli" import accounts "$work/set/2026.vyx" "$book/accounts.csv" >/dev/null
cp "$work/set/2026.vyx" "$work/chart.vyx"
"$cli" import openings "$work/set/2026.vyx" "$book/openings.csv" >/dev/null
cp "$work/set/2026.vyx" "$work/opened.vyx"
"$cli" import postings "$work/set/2026.vyx" "$book/postings.csv" >/dev/null
cp "$work/set/2026.vyx" "$work/full.vyx"
ledger="ledger -f $book/year.journal bal"
ratio() {
  python3 - "$work/$1.json" "$1" <<'PY'
import json, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
o, l = r["ours"], r["ledger"]
oc, lc = o["user"] + o["system"], l["user"] + l["system"]
print("%-10s ours %.3f s  ledger %.3f s  ratio %.2f   cpu ours %.3f s  ledger %.3f s  ratio %.2f"
      % (sys.argv[2], o["median"], l["median"], o["median"] / l["median"], oc, lc, oc / lc))
PY
}
run() {  # name, year file to start from, command on run/2026.vyx
  hyperfine -N -w ${WARMUP:-1} -r ${RUNS:-5} --export-json "$work/$1.json" \
    --prepare "cp $work/$2.vyx $work/run/2026.vyx" -n ours "$3" -n ledger "$ledger" >/dev/null
  ratio "$1"
  sh -c "cp $work/$2.vyx $work/run/2026.vyx; /usr/bin/time -f '%M KiB  $1' $3 >/dev/null"
}
run accounts empty "$cli import accounts $work/run/2026.vyx $book/accounts.csv"
run openings chart "$cli import openings $work/run/2026.vyx $book/openings.csv"
run postings opened "$cli import postings $work/run/2026.vyx $book/postings.csv"
# The carry forward of the whole book into the next year's file, made afresh for every run.
mkdir -p "$work/next"
cp "$work/full.vyx" "$work/next/2026.vyx"
hyperfine -N -w ${WARMUP:-1} -r ${RUNS:-5} --export-json "$work/carry.json" \
  --prepare "sh -c 'rm -f $work/next/2027.vyx; $cli new-year $work/next/2026.vyx 2027 --operator 101 >/dev/null'" \
  -n ours "$cli carry-forward $work/next/2027.vyx --accounts --balances --yes --operator 101" -n ledger "$ledger" >/dev/null
ratio carry
sh -c "/usr/bin/time -f '%M KiB  ledger' $ledger >/dev/null"
ls -l "$work/full.vyx" | awk '{printf "year file with the book: %d bytes\n", $5}'
if [ -n "$BIG" ]; then
  hyperfine -N -w 0 -r ${RUNS:-3} --export-json "$work/big.json" \
    --prepare "cp $work/opened.vyx $work/run/2026.vyx" -n empty "$cli import postings $work/run/2026.vyx $book/postings.csv" \
    --prepare "cp $BIG/2026.vyx $work/run/2026.vyx" -n big "$cli import postings $work/run/2026.vyx $book/postings.csv" \
    >/dev/null
  python3 - "$work/big.json" <<'PY'
import json, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
e, b = r["empty"], r["big"]
print("postings into the large book %.3f s, into the empty one %.3f s: %.2f x   cpu %.2f x"
      % (b["median"], e["median"], b["median"] / e["median"],
         (b["user"] + b["system"]) / (e["user"] + e["system"])))
PY
fi
