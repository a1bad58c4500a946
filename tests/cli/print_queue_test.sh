#!/usr/bin/env bash
# Printing through the system's print service: a print service of its own (cupsd with its configuration,
# spool and socket in a temporary folder), a queue with the PDF printer driver, a ledger of three pages sent
# with `tavrel-cli report … --printer NAME` and the year's books with `print-books --printer default`. The
# document the program handed to the service must hold the pages and the Chinese text, and the PDF printer
# must have printed every page. (The service turns the document into PostScript for the PDF printer, and that
# conversion keeps the look of Chinese glyphs but not their text, so the text is read from the job's own
# document, which the service keeps.) Skipped (status 77) where the service cannot run here: not root (the
# PDF driver needs it), or cups, printer-driver-cups-pdf or poppler-utils missing.
set -uo pipefail
cli="$1"
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*"; [ -n "${work:-}" ] && tail -20 "$work/log/error_log" 2>/dev/null; exit 1; }

[ "$(id -u)" -eq 0 ] || skip "the PDF printer driver runs only under a print service started as root"
for tool in cupsd lpadmin lpstat pdfinfo pdftotext; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (cups, poppler-utils)"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "printer-driver-cups-pdf is not installed"
ppd=$(ls /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/*.ppd 2>/dev/null | head -1)
[ -n "$ppd" ] || skip "the PDF printer's PPD is missing"

work=$(mktemp -d /tmp/tavrel-cups.XXXXXX)
chmod 755 "$work"
cupsd_pid=""
queue="tavrel-test-$$"
cleanup() {
  [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
  rm -f "${printed[@]}" 2>/dev/null
  rm -rf "$work"
}
printed=()
trap cleanup EXIT

mkdir -p "$work/spool/tmp" "$work/cache" "$work/state" "$work/log"
chmod 1777 "$work/spool/tmp"
cat >"$work/cups-files.conf" <<CONF
ServerRoot $work
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
SystemGroup root
CONF
cat >"$work/cupsd.conf" <<CONF
Listen $work/cups.sock
Browsing No
WebInterface No
LogLevel info
PreserveJobFiles Yes
<Location />
Order allow,deny
Allow all
</Location>
CONF
cupsd -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" >"$work/log/cupsd.out" 2>&1 &
cupsd_pid=$!
export CUPS_SERVER="$work/cups.sock"
# The clients' settings are the test's own too: a default printer named by the user (~/.cups/lpoptions,
# LPDEST, PRINTER) or by the machine (/etc/cups/lpoptions, client.conf) would take `--printer default`
# elsewhere.
mkdir -p "$work/home" "$work/client"
export HOME="$work/home" CUPS_SERVERROOT="$work/client"
unset LPDEST PRINTER
for _ in $(seq 50); do
  [ -S "$work/cups.sock" ] && lpstat -r >/dev/null 2>&1 && break
  kill -0 "$cupsd_pid" 2>/dev/null || break
  sleep 0.1
done
lpstat -r >/dev/null 2>&1 || skip "the print service did not start: $(head -3 "$work/log/cupsd.out" "$work/log/error_log" 2>/dev/null)"
lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" 2>/dev/null || fail "lpadmin could not add the queue"
lpadmin -d "$queue" || fail "lpadmin could not make the queue the default"

# Where the PDF printer writes: its Out setting, ${HOME} and ${USER} of the job's owner (root here).
conf=/etc/cups/cups-pdf-$queue.conf
[ -f "$conf" ] || conf=/etc/cups/cups-pdf.conf
out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' "$conf" 2>/dev/null | tail -1)
out=${out:-'${HOME}/PDF'}
home=$(getent passwd root | cut -d: -f6)
out=${out//'${HOME}'/$home}
out=${out//'${USER}'/root}

# A book whose ledger of 1002 fills three printed pages.
book="$work/book"
"$cli" create-set "$book" >/dev/null || fail "create-set"
year=$(ls "$book"/*.vyx | head -1)
printf 'code,name,kind,unit,multi,side,width\n1002,银行存款,,,,,\n1002-1,工行,,,,,\n' >"$work/accounts.csv"
y=$(basename "$year" .vyx)
{
  echo 'date,account,summary,debit,credit,mark,quantity'
  for i in $(seq 1 40); do printf '%s%02d%02d,1002-1,收到货款第%d笔,%d.00,,2,\n' "$y" $((1 + i / 14)) $((1 + i % 14)) "$i" $((100 + i)); done
} >"$work/postings.csv"
"$cli" import accounts "$year" "$work/accounts.csv" >/dev/null || fail "import accounts"
"$cli" import postings "$year" "$work/postings.csv" >/dev/null || fail "import postings"
"$cli" report ledger "$year" --code 1002-1 --format pdf --output "$work/direct.pdf" || fail "the ledger as PDF"
pages=$(pdfinfo "$work/direct.pdf" | sed -n 's/^Pages: *//p')
[ "$pages" = 3 ] || fail "the ledger has $pages pages, not 3: the book no longer fits the test"

# Waits until the queue is empty, then names the PDF files the printer wrote since the marker.
touch "$work/marker"
wait_for_output() {
  for _ in $(seq 300); do
    [ -z "$(lpstat -o "$queue" 2>/dev/null)" ] && break
    sleep 0.1
  done
  find "$out" -maxdepth 1 -name '*.pdf' -newer "$work/marker" 2>/dev/null
}
pages_of() { pdfinfo "$1" 2>/dev/null | sed -n 's/^Pages: *//p'; }
# The document of job N as the program sent it.
document() { printf '%s/spool/d%05d-001' "$work" "$1"; }

"$cli" report ledger "$year" --code 1002-1 --printer "$queue" || fail "report --printer $queue"
file=$(wait_for_output)
[ -n "$file" ] || fail "no PDF in $out from the queue"
[ "$(echo "$file" | wc -l)" = 1 ] || fail "more than one job came out: $file"
printed+=("$file")
[ "$(pages_of "$file")" = 3 ] || fail "the printer printed $(pages_of "$file") pages of the ledger, not 3"
[ "$(pages_of "$(document 1)")" = 3 ] || fail "the job's document has $(pages_of "$(document 1)") pages"
text=$(pdftotext -layout "$(document 1)" -)
for want in "三栏式帐页" "帐户号：1002-1" "收到货款第40笔" "本帐户第 *3 页"; do
  grep -q "$want" <<<"$text" || fail "the printed ledger lacks “$want”"
done

touch "$work/marker"
"$cli" print-books "$year" --printer default || fail "print-books --printer default"
file=$(wait_for_output)
[ -n "$file" ] || fail "no PDF from print-books"
printed+=("$file")
[ "$(pages_of "$file")" = 4 ] || fail "the books came out with $(pages_of "$file") pages, not the ledger's 3 and the balance table's 1"
pdftotext "$(document 2)" - | grep -qF "帐户余额表" || fail "the books lack the balance table"
echo "printed through the print service: the ledger's 3 pages, then the books' 4"
