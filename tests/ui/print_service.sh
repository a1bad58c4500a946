#!/usr/bin/env bash
# A print service of the tests' own for the Qt tests that need a real print queue: cupsd with its
# configuration, spool and socket under DIR, and one queue ("tavrel-paper", the default) whose driver lists
# the usual papers (A4 its default) and whose jobs go to /dev/null. `start DIR` leaves it running, `stop DIR`
# ends it. Where it cannot run (not root, cups or its PDF printer's driver description missing) start still
# succeeds: the tests that need a queue find none and skip.
set -uo pipefail
action="$1"
dir="$2"
if [ "$action" = stop ]; then
  if [ -f "$dir/cupsd.pid" ]; then
    pid=$(cat "$dir/cupsd.pid")
    kill "$pid" 2>/dev/null
    # It writes its state on the way out: the folder goes once it has.
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
  fi
  rm -rf "$dir"
  exit 0
fi
rm -rf "$dir"
mkdir -p "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/home"
ppd=$(ls /usr/share/ppd/cups-pdf/*.ppd 2>/dev/null | head -1)
if [ "$(id -u)" -ne 0 ] || ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null || [ -z "$ppd" ]; then
  echo "no print service here: the tests that need a queue skip"
  exit 0
fi
chmod 755 "$dir"
chmod 1777 "$dir/spool/tmp"
cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
SystemGroup root
FileDevice Yes
CONF
cat >"$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
Browsing No
WebInterface No
<Location />
Order allow,deny
Allow all
</Location>
CONF
cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
echo $! >"$dir/cupsd.pid"
export CUPS_SERVER="$dir/cups.sock"
for _ in $(seq 50); do
  lpstat -r >/dev/null 2>&1 && break
  sleep 0.1
done
lpstat -r >/dev/null 2>&1 || { echo "the print service did not start; the tests that need a queue skip"; exit 0; }
lpadmin -p tavrel-paper -E -v file:/dev/null -P "$ppd" && lpadmin -d tavrel-paper || echo "no queue added"
exit 0
