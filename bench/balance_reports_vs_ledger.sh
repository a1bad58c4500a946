#!/bin/sh
# The balance table, the balance-and-turnover table, the detail ledger and the fuzzy query against ledger on
# the same book, whole processes side by side (median wall time, and median user + system time, which a busy
# machine disturbs less), with the peak memory of each.
#   bench/balance_reports_vs_ledger.sh YEARFILE JOURNAL [TAVREL-CLI]
set -e
file=$1 journal=$2 cli=${3:-build/cli/tavrel-cli}
run() {
  hyperfine -N -w 2 -r ${RUNS:-10} --export-json /tmp/tavrel-$1.json -n ours "$2" -n ledger "$3" >/dev/null
  # hyperfine gives the mean of the CPU time, which one disturbed run moves; the medians come from runs of
  # their own, taken in turn.
  cpu=$(python3 "$(dirname "$0")/cpu_medians.py" ${RUNS:-10} "$2" "$3" | awk '{printf "%s ", $1}')
  python3 - /tmp/tavrel-$1.json "$1" $cpu <<'PY'
import json, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
o, l = r["ours"], r["ledger"]
oc, lc = float(sys.argv[3]), float(sys.argv[4])
print("%-10s ours %.3f s  ledger %.3f s  ratio 1/%.1f   cpu ours %.3f s  ledger %.3f s  ratio 1/%.1f"
      % (sys.argv[2], o["median"], l["median"], l["median"] / o["median"], oc, lc, lc / oc))
PY
}
a_ours="$cli report balance $file --date 20261130"
a_ledger="ledger -f $journal bal --depth 1 -e 2026/12/01"
b_ours="$cli report turnover $file --from 20260401 --to 20261231 --all-levels"
b_ledger="sh -c 'ledger -f $journal bal --empty -e 2026/04/01; ledger -f $journal bal --empty -b 2026/04/01 -e 2027/01/01 -l \"amount>0\"; ledger -f $journal bal --empty -b 2026/04/01 -e 2027/01/01 -l \"amount<0\"; ledger -f $journal bal --empty -e 2027/01/01'"
c_ours="$cli report ledger $file --code 1002 --mode detail"
c_ledger="ledger -f $journal reg ^1002:"
d_ours="$cli report search $file --code 6602 --summary 差旅"
d_ledger="ledger -f $journal reg ^6602: and @差旅"
run balance "$a_ours" "$a_ledger"
run turnover "$b_ours" "$b_ledger"
run ledger "$c_ours" "$c_ledger"
run search "$d_ours" "$d_ledger"
for c in "$a_ours" "$b_ours" "$c_ours" "$d_ours" "$a_ledger"; do
  sh -c "/usr/bin/time -f '%M KiB  $c' $c >/dev/null"
done
