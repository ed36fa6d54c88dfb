#!/bin/sh
# Encoder-only throughput of our Layer II encoder next to ffmpeg's mp2
# encoder (whole process: read WAV, encode, write) on the same machine in
# the same run. Rates are times real time; "cpu" figures use user + system
# time, which is steadier than wall-clock time on a shared machine.
# Usage: bench/codec/compare-ffmpeg.sh [BUILD_DIR] [SECONDS]
set -eu
build=${1:-build}
seconds=${2:-600}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# A 44.1 kHz stereo test file: pink noise under two tones.
sox -R -n -r 44100 -c 2 -b 16 -e signed-integer "$tmp/in.wav" \
    synth "$seconds" pinknoise pinknoise synth "$seconds" sine mix 440 sine mix 3000 vol 0.3

best_wall=""
best_cpu=""
for run in 1 2 3; do
  /usr/bin/time -f "%e %U %S" -o "$tmp/time" \
      ffmpeg -v error -y -i "$tmp/in.wav" -c:a mp2 -b:a 256k "$tmp/out.mp2"
  read -r wall user sys < "$tmp/time"
  cpu=$(echo "$user $sys" | awk '{ print $1 + $2 }')
  best_wall=$(echo "$wall ${best_wall:-$wall}" | awk '{ print ($1 < $2) ? $1 : $2 }')
  best_cpu=$(echo "$cpu ${best_cpu:-$cpu}" | awk '{ print ($1 < $2) ? $1 : $2 }')
done

"$build/bin/codec_bench" --benchmark_filter='Encode' --benchmark_repetitions=3 \
    --benchmark_format=json > "$tmp/bench.json" 2>/dev/null

python3 - "$tmp/bench.json" "$seconds" "$best_wall" "$best_cpu" <<'PY'
import json, sys
data = json.load(open(sys.argv[1]))
seconds, wall, cpu = float(sys.argv[2]), float(sys.argv[3]), float(sys.argv[4])
ff_wall, ff_cpu = seconds / wall, seconds / cpu
print(f"ffmpeg -c:a mp2 -b:a 256k, {seconds:.0f} s stereo file, whole process (best of 3):")
print(f"  wall {wall:.2f} s = {ff_wall:.0f}x real time; cpu {cpu:.2f} s = {ff_cpu:.0f}x real time")
best = {}
for b in data["benchmarks"]:
    if b.get("run_type") != "iteration":
        continue
    name = b["name"]
    rt_cpu = b["x_realtime"]
    rt_wall = b["iterations"] * 1152 / 44100 / (b["real_time"] * b["iterations"] * 1e-9)
    old = best.get(name)
    if old is None or rt_cpu > old[0]:
        best[name] = (rt_cpu, rt_wall, b["frames/s"])
print("our encoder only (in memory, best of 3):")
for name, (rt_cpu, rt_wall, fps) in best.items():
    ratio = f"  {rt_cpu / ff_cpu:.2f}x ffmpeg (cpu)" if name.startswith("EncodeStereo256") else ""
    print(f"  {name:24s} {fps:9.0f} frames/s  cpu {rt_cpu:6.0f}x  wall {rt_wall:6.0f}x real time{ratio}")
PY
