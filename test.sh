#!/usr/bin/env bash
# Builds and runs every test: the normal build, then AddressSanitizer with
# UBSan and LeakSanitizer over all tests, ThreadSanitizer over the
# concurrency tests, and a bounded fuzzing run over the file and markup readers.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
jobs=${JOBS:-2}

run_ctest() {
  local dir=$1; shift
  if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$dir" --output-on-failure -j"$jobs" "$@"
  else
    ctest --test-dir "$dir" --output-on-failure -j"$jobs" "$@"
  fi
}

echo "== build (Release)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
run_ctest build

echo "== AddressSanitizer + UndefinedBehaviorSanitizer + LeakSanitizer"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVB_SANITIZE=address >/dev/null
cmake --build build/asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest build/asan

echo "== ThreadSanitizer (concurrency tests)"
cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVB_SANITIZE=thread -DVB_GUI=OFF >/dev/null
cmake --build build/tsan -j"$jobs"
TSAN_OPTIONS=halt_on_error=1 run_ctest build/tsan -R Concurrency --no-tests=ignore

echo "== fuzzing (bounded)"
FUZZ_SECONDS=${FUZZ_SECONDS:-20} ./tools/fuzz.sh

echo "All tests passed."
