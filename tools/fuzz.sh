#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# FUZZ_SECONDS (default 60) per target; prints the executions each reached.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
jobs=${JOBS:-2}
dir=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVB_FUZZ=ON -DVB_GUI=ON >/dev/null
cmake --build "$dir" -j"$jobs"
shopt -s nullglob
targets=("$dir"/bin/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets built"
  exit 0
fi
for t in "${targets[@]}"; do
  name=$(basename "$t")
  corpus="$dir/corpus/$name"
  mkdir -p "$corpus"
  seeds="tools/fuzz/seeds/${name#fuzz_}"
  [ -d "$seeds" ] || seeds=""
  log="$dir/$name.log"
  if ! "$t" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 "$corpus" $seeds >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz target $name failed"
    exit 1
  fi
  execs=$(grep -Eo 'Done [0-9]+ runs' "$log" | grep -Eo '[0-9]+' || echo "?")
  echo "$name: $execs executions in ${seconds}s"
done
