#!/usr/bin/env bash
# Installs what is missing, builds every test with AddressSanitizer and
# UndefinedBehaviorSanitizer (benchmarks are built too, so they keep compiling), and runs them all.
set -euo pipefail
cd "$(dirname "$0")"
bash ./setup.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQVD_SANITIZE=ON -DQVD_BENCH=ON >/dev/null
cmake --build build/test
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build/test --output-on-failure -j"$(nproc)" "$@"
