#!/usr/bin/env bash
# Builds the core, the command-line tool and their tests with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-san/ and runs those tests. Any report fails the run; only fontconfig's own leaks (Qt's fonts,
# used by the tool's PDF output) are suppressed.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVREL_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-san --target core_tests cli_tests tavrel-cli
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
build-san/tests/core_tests --gtest_brief=1
build-san/tests/cli_tests --gtest_brief=1
