#!/usr/bin/env bash
# Builds the program and starts it; an optional year file is logged in to at start-up.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
exec ./build/ui/tavrel "$@"
