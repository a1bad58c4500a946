#!/bin/sh
# The peak memory of importing the large book's postings into a year file that holds its chart and
# openings, at several lengths of the book (default 200,000, 1,000,000 and 2,000,000 lines), with the time
# each took. The file is read a piece at a time and the engine's caches are bounded, so the peak must not
# grow with the file: a length whose peak passes LIMIT_MIB (default 100) makes the script fail.
#   bench/import_memory.sh [TAVREL-CLI] [LINES ...]
# The books are made with make_book.py (MAKE_BOOK, default ../shared/bench/make_book.py beside the checkout)
# into BOOKS (default a temporary folder, removed afterwards; give one to keep the books between runs).
set -e
here=$(cd "$(dirname "$0")" && pwd)
cli=$(realpath "${1:-build/cli/tavrel-cli}")
[ $# -gt 0 ] && shift
sizes=${*:-200000 1000000 2000000}
make_book=${MAKE_BOOK:-$here/../../shared/bench/make_book.py}
limit=${LIMIT_MIB:-100}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
books=${BOOKS:-$work/books}
export TAVREL_PASSWORD=
status=0
for n in $sizes; do
  book=$books/$n
  if [ ! -f "$book/postings.csv" ]; then
    mkdir -p "$book"
    python3 "$make_book" --n "$n" --out "$book" >/dev/null
  fi
  rm -rf "$work/set"
  "$cli" create-set "$work/set" >/dev/null
  year=$(ls "$work/set"/*.vyx)
  "$cli" import accounts "$year" "$book/accounts.csv" >/dev/null
  "$cli" import openings "$year" "$book/openings.csv" >/dev/null
  /usr/bin/time -f '%M %e' -o "$work/time" "$cli" import postings "$year" "$book/postings.csv" >/dev/null
  read -r kib seconds <"$work/time"
  mib=$(( (kib + 1023) / 1024 ))
  verdict=ok
  if [ "$mib" -gt "$limit" ]; then verdict="over $limit MiB"; status=1; fi
  printf '%9d lines: peak %4d MiB, %6.2f s  %s\n' "$n" "$mib" "$seconds" "$verdict"
done
exit $status
