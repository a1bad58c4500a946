#!/usr/bin/env bash
# Builds the Debian package build/tavrel_<version>_amd64.deb from the build the other scripts make (build/,
# optimised with debug information, which CPack strips from the programs) and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh dpkg-dev file
export CCACHE_BASEDIR="$PWD"
cmake -S . -B build -G Ninja >/dev/null
cmake --build build
cd build
rm -f tavrel_*.deb
cpack -G DEB >/dev/null
ls "$PWD"/tavrel_*_amd64.deb
