#!/usr/bin/env bash
# Builds the Debian package build/tavrel_<version>_amd64.deb from the build the other scripts make (build/,
# optimised with debug information, which CPack strips from the programs) and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh dpkg-dev file
export CCACHE_BASEDIR="$PWD"
export CCACHE_NOHASHDIR=1
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target tavrel tavrel-cli tavrel-cli-pdf tavrel_install_files
cd build
rm -f tavrel_*.deb
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log >&2; exit 1; }
ls "$PWD"/tavrel_*_amd64.deb
