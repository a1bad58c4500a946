#!/usr/bin/env bash
# Builds everything and runs every test, and the package test; then the core and the command-line tool again under the address
# and undefined-behaviour sanitizers (TAVREL_SKIP_SANITIZERS=1 leaves that second run out).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh --test
./scripts/build.sh
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
ctest --test-dir build --output-on-failure -j2
# The Debian package built, checked, installed, run and removed (the install needs root, as in CI).
./scripts/package_test.sh
if [ "${TAVREL_SKIP_SANITIZERS:-0}" != 1 ]; then
  ./scripts/sanitize.sh
fi
