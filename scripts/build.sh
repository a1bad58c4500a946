#!/usr/bin/env bash
# Configures and builds everything into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
# Paths relative to the checkout: a fresh clone elsewhere finds what ccache keeps from earlier builds.
export CCACHE_BASEDIR="$PWD"
# Debug information would otherwise tie every cached object to the folder it was built in.
export CCACHE_NOHASHDIR=1
cmake -S . -B build -G Ninja >/dev/null
cmake --build build
