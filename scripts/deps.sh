#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing. With --test also
# those the tests use: the print service and its PDF printer (printing to a real queue) and the PDF tools that
# read the printed pages back, and the database server the server engine's tests start a private cluster of.
# More names may be given (the package script's tools).
set -euo pipefail
pkgs=(cmake ninja-build g++ qt6-base-dev libgtest-dev libbenchmark-dev
      fonts-wqy-microhei ccache qt6-translations-l10n libxlsxwriter-dev python3-openpyxl
      libpq-dev)
if [ "${1:-}" = --test ]; then
  shift
  pkgs+=(cups printer-driver-cups-pdf poppler-utils postgresql)
fi
pkgs+=("$@")
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq "${missing[@]}"
fi
