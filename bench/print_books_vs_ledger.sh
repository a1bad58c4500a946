#!/bin/sh
# 打印全部帐页 of a whole year against ledger writing every account's register as text, whole processes side
# by side: wall and CPU time, peak memory, the pages printed and pages a second, and the ratio of the times.
#   bench/print_books_vs_ledger.sh YEARFILE JOURNAL [TAVREL-CLI] [PDF-FOLDER]
# The books go into PDF-FOLDER (one file per account and the combined one); the ledgers alone, without
# the per-account files, are timed too (print-books to a printer draws them once).
set -e
file=$1 journal=$2 cli=${3:-build/cli/tavrel-cli} out=${4:-/tmp/tavrel-books}
command -v ledger >/dev/null || { echo "ledger is not installed (Debian package ledger)"; exit 1; }
rm -rf "$out"
measure() {  # name command...: prints "name wall user+system peakKiB"
  name=$1; shift
  /usr/bin/time -f "%e %U %S %M" -o /tmp/tavrel-books-time "$@" >/dev/null 2>/tmp/tavrel-books-err ||
    { cat /tmp/tavrel-books-err; exit 1; }
  set -- $(tail -1 /tmp/tavrel-books-time)
  echo "$name $1 $(echo "$2 + $3" | bc) $4"
}
ours=$(measure ours "$cli" print-books "$file" --pdf "$out")
theirs=$(measure ledger ledger -f "$journal" reg --sort account)
pages=$(pdfinfo "$out/全部帐页.pdf" | sed -n 's/^Pages: *//p')
files=$(ls "$out" | wc -l)
echo "$ours" "$theirs" | awk -v pages="$pages" -v files="$files" '{
  printf "print-books --pdf: %.2f s wall, %.2f s cpu, %d MiB peak; %d pages (%d files), %.0f pages/s\n",
         $2, $3, $4 / 1024, pages, files, pages / $2
  printf "ledger reg --sort account: %.2f s wall, %.2f s cpu, %d MiB peak\n", $6, $7, $8 / 1024
  printf "ratio (ours / ledger): wall %.1f, cpu %.1f\n", $2 / $6, $3 / $7
}'
