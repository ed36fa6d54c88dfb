#!/usr/bin/env bash
# Builds bench/resampler/resampler_compare (Release) and runs it: our
# resampler against sox's default "rate" and ffmpeg's resampler on the same
# generated signals, in one run. Usage: bench/resampler/compare.sh [seconds]
# (seconds of programme for the throughput rows, default 300).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target resampler_compare >/dev/null
scratch=/dev/shm
[ -d "$scratch" ] && [ -w "$scratch" ] || scratch=${TMPDIR:-/tmp}
echo "sox: $(sox --version 2>&1 | head -1)"
echo "ffmpeg: $(ffmpeg -version 2>&1 | head -1)"
echo "cpu: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores"
echo
"$build/bin/resampler_compare" "$scratch" "${1:-300}"
