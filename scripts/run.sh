#!/usr/bin/env bash
# Builds the program (only the program: tests and benchmarks are built by the test command) and starts it;
# an optional year file is logged in to at start-up.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
export CCACHE_BASEDIR="$PWD"
# Debug information would otherwise tie every cached object to the folder it was built in.
export CCACHE_NOHASHDIR=1
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target tavrel
exec ./build/ui/tavrel "$@"
