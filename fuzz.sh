#!/usr/bin/env bash
# Builds every fuzz target of fuzz/ with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs each for a bounded time from its seed corpus in
# fuzz/corpus/<target>/. Fails when a target finds a crash, a hang, a leak or undefined behaviour;
# the input that caused it is kept under <build>/artifacts/<target>/.
#   FUZZ_SECONDS  time per target (default 60)
#   FUZZ_MAX_LEN  longest input in bytes (default 1024)
#   FUZZ_BUILD    build folder (default build/fuzz)
set -euo pipefail
cd "$(dirname "$0")"
bash ./setup.sh

seconds="${FUZZ_SECONDS:-60}"
max_len="${FUZZ_MAX_LEN:-1024}"
build="${FUZZ_BUILD:-build/fuzz}"

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DQVD_SANITIZE=ON -DQVD_FUZZ=ON -DQVD_TESTS=OFF -DQVD_BENCH=OFF >/dev/null

targets=()
for source in fuzz/*.cpp; do
  targets+=("$(basename "$source" .cpp)")
done
cmake --build "$build" --target "${targets[@]}"

export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=()
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target"
  log="$build/logs/$target.log"
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  options=(-max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048
    -print_final_stats=1 -artifact_prefix="$artifacts/")
  [ -f "fuzz/$target.dict" ] && options+=(-dict="fuzz/$target.dict")
  # New inputs go into the build's corpus; the seeds in the source tree stay as written.
  if "$build/fuzz/$target" "${options[@]}" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
    echo "fuzz $target: ${seconds} s, $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" |
      grep -o '[0-9]*$') runs, no finding"
  else
    echo "fuzz $target: FINDING (log $log, input in $artifacts/)"
    tail -n 60 "$log"
    failed+=("$target")
  fi
done

[ ${#failed[@]} -eq 0 ] || { echo "Fuzz targets with findings: ${failed[*]}"; exit 1; }
