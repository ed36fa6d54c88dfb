#!/usr/bin/env bash
# Reads WAV files of two sizes (default 256 MB and 1 GB) through the mapped
# reader in 1024-frame blocks and prints its MB/s beside `cat FILE >/dev/null`
# on the same file in the same run, plus the reader's peak RSS, which must not
# grow with the file size. Files go to BENCH_DIR (default build/bench) and are
# deleted afterwards.
#   SIZES_MB="256 1024" bench/read/read_bench.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${BUILD_DIR:-build}
cmake --build "$build" -j2 --target read_bench >/dev/null
bin="$build/bin/read_bench"
dir=${BENCH_DIR:-$build/bench}
mkdir -p "$dir"
file="$dir/read_bench.wav"
trap 'rm -f "$file"' EXIT

now() { date +%s.%N; }
for mb in ${SIZES_MB:-256 1024}; do
  "$bin" make "$file" $((mb * 1000 * 1000))
  cat "$file" >/dev/null  # both readers start from a warm page cache
  t0=$(now); cat "$file" >/dev/null; t1=$(now)
  cat_mb_s=$(echo "$mb / ($t1 - $t0)" | bc -l)
  line=$("$bin" read "$file")
  read_mb_s=$(echo "$line" | sed -n 's/.*read_mb_s=\([0-9.]*\).*/\1/p')
  rss=$(echo "$line" | sed -n 's/.*peak_rss_kb=\([0-9]*\).*/\1/p')
  printf 'size=%s MB  reader=%s MB/s  cat=%.0f MB/s  ratio=%.2f  reader_peak_rss=%s kB\n' \
    "$mb" "$read_mb_s" "$cat_mb_s" "$(echo "$read_mb_s / $cat_mb_s" | bc -l)" "$rss"
  rm -f "$file"
done
