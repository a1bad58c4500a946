#!/bin/sh
# The two financial statements of the large book against `ledger bal` of the same book, whole processes side
# by side (median wall time and median user + system time): each statement works its formulas out from one
# pass over the postings, so it should take at most a twentieth of ledger's reading and balancing the book.
#   bench/statements_vs_ledger.sh YEARFILE JOURNAL [TAVREL-CLI]
set -e
file=$1 journal=$2 cli=${3:-build/cli/tavrel-cli}
for form in 资产负债表 利润表; do
  ours="$cli report statement $file --form $form --month 11"
  theirs="ledger -f $journal bal"
  hyperfine -N -w 2 -r ${RUNS:-10} --export-json /tmp/tavrel-statement.json -n ours "$ours" -n ledger "$theirs" >/dev/null
  cpu=$(python3 "$(dirname "$0")/cpu_medians.py" ${RUNS:-10} "$ours" "$theirs" | awk '{printf "%s ", $1}')
  python3 - /tmp/tavrel-statement.json "$form" $cpu <<'PY'
import json, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
o, l = r["ours"], r["ledger"]
oc, lc = float(sys.argv[3]), float(sys.argv[4])
print("%-6s ours %.3f s  ledger %.3f s  ratio 1/%.1f   cpu ours %.3f s  ledger %.3f s  ratio 1/%.1f"
      % (sys.argv[2], o["median"], l["median"], l["median"] / o["median"], oc, lc, lc / oc))
PY
done
