#!/usr/bin/env bash
# Records what the program shows, so that a change meant to leave behaviour alone can be held to it: every
# report kind as text and as CSV (the entry windows' kinds with --head too) and `check`, on a small book with
# quantity, currency and 对方达 rows and on the large generated book, in a year file and, where a private
# PostgreSQL cluster can start, in a year on a server. Two recordings are compared with `diff -r`.
#   bench/record_outputs.sh OUTDIR [TAVREL-CLI]      (default build/cli/tavrel-cli)
# N sets the large book's postings (default 200000; N=0 records the small book only); SERVER=0 leaves the
# server out; MAKE_BOOK names the book generator.
set -euo pipefail
out=$(realpath -m "$1") cli=$(realpath "${2:-build/cli/tavrel-cli}")
n=${N:-200000}
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/tavrel-record.XXXXXX)
cluster=$work/cluster
trap '"$here/scripts/pg_cluster.sh" stop "$cluster" >/dev/null; rm -rf "$work"' EXIT
mkdir -p "$out"
export TAVREL_PASSWORD=

# The small book: the standard chart with branches of every kind, and postings over the year with all three
# marks, one-sided 对方达 rows, quantities and foreign amounts.
small=$work/small
mkdir -p "$small"
python3 - "$small" <<'PY'
import random, sys
d = sys.argv[1]
r = random.Random(7)
open(d + "/accounts.csv", "w").write(
    "code,name,kind,unit,multi,side,width\n"
    "1002-1,工商银行,,,,,\n1002-2,美元户,currency,1,,,\n1002-1-1,基本户,,,,,\n1002-1-2,一般户,,,,,\n"
    "1403-1,钢材,quantity,吨,,,\n1403-2,水泥,quantity,袋,,,\n"
    "6602-1,差旅费,,,,debit,10\n6602-2,办公费,,,,debit,10\n6602-3,招待费,,,,credit,10\n")
open(d + "/openings.csv", "w").write(
    "code,side,amount,quantity\n1001,debit,5000.00,\n1002-1-1,debit,182000.00,\n1002-2,debit,7100.00,1000\n"
    "1403-1,debit,40000.00,10\n4001,credit,234100.00,\n")
leaves = ["1001", "1002-1-1", "1002-1-2", "1002-2", "1403-1", "1403-2", "6602-1", "6602-2", "6602-3",
          "2202", "1122", "6001", "6603"]
words = ["差旅报销", "购入钢材", "收到货款", "支付房租", "银行利息", "办公用品", "招待客户", "美元结汇"]
lines = ["date,account,summary,debit,credit,mark,quantity"]
for i in range(400):
    m = r.randint(1, 12)
    day = "2026%02d%02d" % (m, r.randint(1, 28))
    a, b = r.sample(leaves, 2)
    cents = r.randint(1, 5000000)
    amt = "%d.%02d" % divmod(cents, 100)
    mark = r.choice(["0", "1", "2", "2"])
    q = lambda acc: str(r.randint(1, 50)) if acc in ("1403-1", "1403-2", "1002-2") else ""
    s = r.choice(words)
    lines.append("%s,%s,%s,%s,,%s,%s" % (day, a, s, amt, mark, q(a)))
    if i % 9:  # every ninth payment stays one-sided
        lines.append("%s,%s,%s,,%s,%s,%s" % (day, b, s, amt, mark, q(b)))
open(d + "/postings.csv", "w").write("\n".join(lines) + "\n")
PY

books=(small)
if [ "$n" != 0 ]; then
  python3 "${MAKE_BOOK:-/work/shared/bench/make_book.py}" --n "$n" --out "$work/large" >/dev/null
  books+=(large)
fi

servers=()
if [ "${SERVER:-1}" != 0 ]; then
  "$here/scripts/pg_cluster.sh" start "$cluster" >/dev/null
  if [ -f "$cluster/uri" ]; then
    host=$(sed -n 's/.*host=\([^&]*\).*/\1/p' "$cluster/uri")
    servers=(server)
  else
    echo "no server: $(cat "$cluster/why")" >&2
  fi
fi

# The reports of one year: NAME and the command's arguments after the year, one a line.
reports() {
  local code=$1 leaf=$2 qty=$3 cur=$4
  cat <<EOF
catalogue|catalogue
catalogue-$code|catalogue --code $code
openings|openings
openings-$code|openings --code $code
entry-month|entry-month --code $leaf --year 2026 --month 3
entry-day|entry-day --date 20260315
ledger-auto|ledger --code $code
ledger-detail|ledger --code $code --mode detail
ledger-summary|ledger --code $code --mode summary --from 2 --to 11
ledger-unreached|ledger --code $code --unreached
multi|multi --code 6602
multi-detail|multi --code 6602 --detail --from 3 --to 9
quantity|quantity --code $qty
currency|currency --code $cur
balance|balance --date 20261130
balance-$code|balance --date 20260630 --code $code
turnover|turnover --from 20260401 --to 20261231
turnover-all|turnover --from 20260101 --to 20261231 --all-levels
search|search --code 6602 --summary 差旅
search-amount|search --code $code --amount 100 --amount2 20000 --from 2 --to 10 --side debit
interest|interest --from 20260101 --to 20261231 --rate 1.5 --code $code
interest-actual|interest --from 20260301 --to 20260930 --rate 2 --method actual --side credit
reconcile|reconcile --code $leaf --from 20260101 --to 20261231 --other 1000
statement-balance|statement --form 资产负债表 --month 11
statement-income|statement --form 利润表 --month 11
EOF
}

record() {  # BOOK ENGINE YEAR
  local book=$1 engine=$2 year=$3 dir=$out/$1-$2
  mkdir -p "$dir"
  local args
  case $book in
    small) args=(1002 1002-1-1 1403-1 1002-2) ;;
    large) args=(1002 "$(sed -n '2p' "$work/large/postings.csv" | cut -d, -f2)" 1403 1002) ;;
  esac
  while IFS='|' read -r name cmd; do
    # shellcheck disable=SC2086
    "$cli" report $cmd "$year" >"$dir/$name.txt" 2>&1 || echo "exit $?" >>"$dir/$name.txt"
    # shellcheck disable=SC2086
    "$cli" report $cmd "$year" --format csv >"$dir/$name.csv" 2>&1 || echo "exit $?" >>"$dir/$name.csv"
    case $name in entry-*)
      # shellcheck disable=SC2086
      "$cli" report $cmd "$year" --head >"$dir/$name.head" 2>&1 || echo "exit $?" >>"$dir/$name.head" ;;
    esac
  done < <(reports "${args[@]}")
  "$cli" check "$year" --operator 101 >"$dir/check.txt" 2>&1 || echo "exit $?" >>"$dir/check.txt"
}

for book in "${books[@]}"; do
  src=$work/$book
  # The small book adds branches to the standard chart; the large one brings a chart of its own.
  chart=(); [ "$book" = small ] && chart=(--chart standard)
  "$cli" create-set "$work/set-$book" "${chart[@]}" >/dev/null
  years=("embedded|$work/set-$book/2026.vyx")
  for s in "${servers[@]}"; do
    psql "postgresql:///postgres?host=$host&user=tavrel" -q -c \
      "CREATE DATABASE $book TEMPLATE template0 ENCODING 'SQL_ASCII' LC_COLLATE 'C' LC_CTYPE 'C'"
    uri="postgresql:///$book?host=$host&user=tavrel"
    "$cli" create-set "$uri" "${chart[@]}" >/dev/null
    years+=("server|$uri#2026")
  done
  for y in "${years[@]}"; do
    engine=${y%%|*} year=${y#*|}
    [ "$book" = small ] && "$cli" sql "$year" "insert into wbt(wno,na,ho) values('1','美元','')" --operator 101 >/dev/null
    for kind in accounts openings postings; do
      log=$out/$book-$engine-import-$kind.txt
      "$cli" import $kind "$year" "$src/$kind.csv" >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
    done
    # 6602 keeps a multi-column ledger over its sub-accounts.
    "$cli" sql "$year" "update subt set dl=1 where kno='6602'" --operator 101 >/dev/null
    record "$book" "$engine" "$year"
  done
done
echo "recorded into $out: $(find "$out" -type f | wc -l) files"
