#!/bin/sh
# The book and ten times the book: each report of the comparison with ledger, the book check and the carry
# forward on both year files, whole processes, alternately (median user + system time, which a busy machine
# disturbs less, and median wall time), the growth from one to the other (linear: at most 11 x), and the
# peak memory of each on the large book beside ledger's on the large journal.
#   bench/ten_times.sh SMALL.vyx BIG.vyx BIG.journal [TAVREL-CLI]
# The year files hold what make_book.py writes with --n 200000 and --n 2000000, imported. With PRINT=1 the
# whole 打印全部帐页 to PDF is measured as well (minutes on the large book).
set -e
small=$1 big=$2 journal=$3 cli=$(realpath ${4:-build/cli/tavrel-cli})
export TAVREL_PASSWORD=
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/run.py" <<'PY'
import os, shlex, statistics, subprocess, sys
runs = int(os.environ.get("RUNS", "3"))
name, prep_small, small, prep_big, big = sys.argv[1:6]
def once(prep, cmd):
    if prep:
        subprocess.run(prep, shell=True, check=True, stdout=subprocess.DEVNULL)
    with open(os.devnull, "w") as null:
        p = subprocess.Popen(shlex.split(cmd), stdout=null, stderr=null)
        import time; t = time.monotonic()
        _, status, ru = os.wait4(p.pid, 0)
        wall = time.monotonic() - t
    if status != 0:
        sys.exit("failed: " + cmd)
    return ru.ru_utime + ru.ru_stime, wall, ru.ru_maxrss
s, b = [], []
for _ in range(runs):
    s.append(once(prep_small, small))
    b.append(once(prep_big, big))
med = lambda xs, i: statistics.median(x[i] for x in xs)
print("%-14s 200,000: %7.3f s cpu %7.3f s wall   2,000,000: %7.3f s cpu %7.3f s wall   growth %5.2f x cpu %5.2f x wall   peak %4d MiB"
      % (name, med(s, 0), med(s, 1), med(b, 0), med(b, 1), med(b, 0) / med(s, 0), med(b, 1) / med(s, 1),
         max(x[2] for x in b) // 1024))
PY
pair() {  # name, command with FILE for the year file
  python3 "$work/run.py" "$1" "" "$(echo "$2" | sed "s|FILE|$small|")" "" "$(echo "$2" | sed "s|FILE|$big|")"
}
pair "(a) balance" "$cli report balance FILE --date 20261130"
pair "(b) turnover" "$cli report turnover FILE --from 20260401 --to 20261231 --all-levels"
pair "(c) ledger" "$cli report ledger FILE --code 1002 --mode detail"
pair "(d) search" "$cli report search FILE --code 6602 --summary 差旅"
pair "check" "$cli check FILE --operator 101"
# The carry forward into next year's file, made afresh from a copy for every run.
mkdir -p "$work/s" "$work/b"
cp "$small" "$work/s/2026.vyx"
cp "$big" "$work/b/2026.vyx"
newyear() { echo "rm -f $work/$1/2027.vyx; $cli new-year $work/$1/2026.vyx 2027 --operator 101"; }
python3 "$work/run.py" "carry-forward" "$(newyear s)" "$cli carry-forward $work/s/2027.vyx --accounts --balances --yes --operator 101" \
  "$(newyear b)" "$cli carry-forward $work/b/2027.vyx --accounts --balances --yes --operator 101"
if [ -n "$PRINT" ]; then
  RUNS=1 pair "print-books" "$cli print-books FILE --pdf $work/books"
fi
/usr/bin/time -f "ledger bal on the large journal: %e s wall, %U s user, %M KiB peak" ledger -f "$journal" bal >/dev/null
ls -l "$small" "$big" | awk '{printf "year file %s: %d bytes\n", $9, $5}'
