#!/usr/bin/env bash
# Builds the core, the command-line tool and their tests with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-san/ and runs those tests; any report fails the run. The Qt program is left out of this build, so
# the tool cannot print PDF there (its test says so and is skipped).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
export CCACHE_BASEDIR="$PWD"
# Debug information would otherwise tie every cached object to the folder it was built in.
export CCACHE_NOHASHDIR=1
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVREL_BUILD_UI=OFF \
  -DTAVREL_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  >/dev/null
cmake --build build-san --target core_tests cli_tests tavrel-cli
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
build-san/tests/core_tests --gtest_brief=1
build-san/tests/cli_tests --gtest_brief=1
