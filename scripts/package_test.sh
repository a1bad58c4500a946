#!/usr/bin/env bash
# The Debian package as a user gets it: built by ./scripts/package.sh, its files and Depends as expected,
# lintian without errors (warnings are printed), then installed with apt-get, the tool and a small report
# run from /usr/bin, and removed again. The install is left out (and says so) where neither root nor a
# password-free sudo is at hand, or where a package of this name is installed already.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh lintian dpkg-dev file
start=$SECONDS
fail() { echo "package test: $*" >&2; exit 1; }

deb=$(./scripts/package.sh | tail -1)
version=$(grep -m1 -o 'project(Tavrel VERSION [0-9.]*' CMakeLists.txt | awk '{print $3}')
[ "$(basename "$deb")" = "tavrel_${version}_amd64.deb" ] || fail "unexpected name $deb"
echo "package: $deb ($(du -k "$deb" | cut -f1) KiB)"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/tavrel ./usr/bin/tavrel-cli ./usr/bin/tavrel-cli-pdf \
         ./usr/share/applications/tavrel.desktop ./usr/share/icons/hicolor/scalable/apps/tavrel.svg \
         ./usr/share/mime/packages/tavrel.xml ./usr/share/man/man1/tavrel.1.gz \
         ./usr/share/man/man1/tavrel-cli.1.gz ./usr/share/bash-completion/completions/tavrel-cli \
         ./usr/share/doc/tavrel/copyright ./usr/share/doc/tavrel/changelog.gz; do
  grep -qxF "$f" <<<"$contents" || fail "$f is missing from the package"
done
if [ -d share/charts ] && ls share/charts/*.csv >/dev/null 2>&1; then
  grep -q '^./usr/share/tavrel/charts/.*\.csv$' <<<"$contents" || fail "the charts are missing"
fi
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for d in fonts-wqy-microhei qt6-translations-l10n libc6 libpq5 libxlsxwriter libqt6widgets6 libqt6printsupport6; do
  grep -q "$d" <<<"$depends" || fail "Depends lacks $d"
done

# lintian exits non-zero on errors; its warnings are shown.
lintian --tag-display-limit 0 "$deb" || fail "lintian reports errors"

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if sudo -n true 2>/dev/null; then SUDO="sudo -n"; else
    echo "package test: SKIPPED the install (neither root nor a password-free sudo)"; exit 0
  fi
fi
if dpkg-query -W -f='${Status}' tavrel 2>/dev/null | grep -q "install ok installed"; then
  echo "package test: SKIPPED the install (a tavrel package is installed on this machine already)"; exit 0
fi
export DEBIAN_FRONTEND=noninteractive
apt_get() { $SUDO apt-get -o DPkg::Lock::Timeout=300 -y -qq "$@" >/dev/null; }
apt_get install "$deb"
trap 'apt_get purge tavrel' EXIT
work=$(mktemp -d)
trap 'apt_get purge tavrel; rm -rf "$work"' EXIT
[ "$(/usr/bin/tavrel-cli --version)" = "tavrel-cli $version" ] || fail "tavrel-cli --version"
[ "$(/usr/bin/tavrel --version)" = "tavrel $version" ] || fail "tavrel --version"
file=$(/usr/bin/tavrel-cli create-set "$work/帐套" | grep -o '/.*\.vyx')
printf 'code,name,kind,unit,multi,side,width\n1002,银行存款,,,,,\n' >"$work/a.csv"
/usr/bin/tavrel-cli import accounts "$file" "$work/a.csv" >/dev/null
/usr/bin/tavrel-cli report catalogue "$file" | grep -q "银行存款" || fail "the catalogue report"
/usr/bin/tavrel-cli report catalogue "$file" --format xlsx --output "$work/c.xlsx"
/usr/bin/tavrel-cli report catalogue "$file" --format pdf --output "$work/c.pdf"
[ "$(head -c 4 "$work/c.pdf")" = "%PDF" ] || fail "the PDF hand-off from /usr/bin"
[ "$(head -c 2 "$work/c.xlsx")" = "PK" ] || fail "the workbook"
man -w tavrel-cli >/dev/null || fail "man tavrel-cli"
completion=$(bash -c 'source /usr/share/bash-completion/completions/tavrel-cli
  COMP_WORDS=(tavrel-cli report led); COMP_CWORD=2; _tavrel_cli; echo "${COMPREPLY[*]}"')
[ "$completion" = "ledger" ] || fail "completion gives '$completion'"
apt_get purge tavrel
trap 'rm -rf "$work"' EXIT
[ ! -e /usr/bin/tavrel-cli ] || fail "the package was not removed"
echo "package test: installed, run and removed again in $((SECONDS - start)) s"
