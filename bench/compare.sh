#!/usr/bin/env bash
# Times vbenc against ffmpeg's mp2 encoder and against sox piped into twolame,
# in one run on the same generated inputs, and prints the ratios
# (ours / theirs: below 1 means vbenc is faster) with the peak resident memory
# of each run. Finally shows that vbenc's peak memory does not grow with the
# input, on a 2 GB RF64 file.
#
#   bench/compare.sh            full run (10-minute files, 2 GB RF64)
#   MINUTES=1 RF64_GB=0 bench/compare.sh   quick run without the big file
#
# Inputs are pink noise (the encoder's bit allocation has real work to do),
# 16-bit. Outputs go to 256 kbit/s for stereo and 128 kbit/s for mono at
# 44.1 kHz for all three encoders. Needs sox, ffmpeg, twolame and GNU time.
set -euo pipefail
cd "$(dirname "$0")/.."
MINUTES=${MINUTES:-10}
RF64_GB=${RF64_GB:-2}
WORK=${BENCH_DIR:-$(mktemp -d /tmp/vbbench-XXXXXX)}
trap 'rm -rf "$WORK"' EXIT

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j2 --target vbenc >/dev/null
VBENC=$PWD/build/bin/vbenc
# The same number of files at once for every encoder in the batch case.
JOBS=$(nproc); [ "$JOBS" -gt 3 ] && JOBS=3; [ "$JOBS" -lt 1 ] && JOBS=1

seconds=$((MINUTES * 60))
echo "Generating inputs in $WORK ..." >&2
sox -n -r 44100 -c 2 -b 16 "$WORK/s44.wav" synth "$seconds" pinknoise vol 0.5
sox -n -r 48000 -c 2 -b 16 "$WORK/s48.wav" synth "$seconds" pinknoise vol 0.5
sox -n -r 22050 -c 1 -b 16 "$WORK/m22.wav" synth "$seconds" pinknoise vol 0.5
mkdir -p "$WORK/batch"
for i in 1 2 3 4 5 6 7 8; do
  sox -n -r 44100 -c 2 -b 16 "$WORK/batch/b$i.wav" synth 60 pinknoise vol 0.5
done

# measure OUTFILE CMD...: runs CMD, prints "seconds peak-KiB".
measure() {
  local stats="$WORK/time.txt"
  /usr/bin/time -f "%e %M" -o "$stats" "$@" >/dev/null 2>"$WORK/stderr.txt" || {
    echo "failed: $*" >&2; cat "$WORK/stderr.txt" >&2; exit 1; }
  cat "$stats"
}

ffmpeg_one() {  # input output channels rate
  local extra=()
  [ "$4" != 44100 ] && extra=(-ar 44100)
  ffmpeg -v error -y -i "$1" -c:a mp2 -b:a "$(( $3 == 1 ? 128 : 256 ))k" "${extra[@]}" "$2"
}
twolame_one() {  # input output channels
  sox "$1" -t raw -r 44100 -e signed -b 16 -c "$3" - |
    twolame --quiet -r -s 44100 -N "$3" -m "$([ "$3" = 1 ] && echo m || echo s)" -b "$(( $3 == 1 ? 128 : 256 ))" - "$2"
}
export -f ffmpeg_one twolame_one

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf (b > 0 ? "%.2f" : "n/a"), a / b }'; }

printf '\n%-22s %9s %9s %9s %8s %8s %9s %9s %9s\n' case "vbenc s" "ffmpeg s" "twolame s" "/ffmpeg" "/twolame" "vbenc MiB" "ffmpeg MiB" "2lame MiB"
row() {  # name, then "seconds KiB" for vbenc, ffmpeg, twolame
  local name=$1; shift
  read -r t1 m1 <<<"$1"; read -r t2 m2 <<<"$2"; read -r t3 m3 <<<"$3"
  printf '%-22s %9.2f %9.2f %9.2f %8s %8s %9.1f %9.1f %9.1f\n' "$name" "$t1" "$t2" "$t3" \
    "$(ratio "$t1" "$t2")" "$(ratio "$t1" "$t3")" "$(ratio "$m1" 1024)" "$(ratio "$m2" 1024)" "$(ratio "$m3" 1024)"
}

single() {  # name file channels rate
  local ours ff tl
  ours=$(measure "$VBENC" -q -j 1 "$WORK/$2")
  ff=$(measure bash -c 'ffmpeg_one "$0" "$1" "$2" "$3"' "$WORK/$2" "$WORK/ff.mp2" "$3" "$4")
  tl=$(measure bash -c 'twolame_one "$0" "$1" "$2"' "$WORK/$2" "$WORK/tl.mp2" "$3")
  row "$1" "$ours" "$ff" "$tl"
}
single "${MINUTES} min 44.1k stereo" s44.wav 2 44100
single "${MINUTES} min 48k stereo" s48.wav 2 48000
single "${MINUTES} min 22.05k mono" m22.wav 1 22050

batch_files=("$WORK"/batch/b*.wav)
ours=$(measure "$VBENC" -q -j "$JOBS" "${batch_files[@]}")
ff=$(measure bash -c 'printf "%s\n" "$@" | xargs -P '"$JOBS"' -I{} bash -c '"'"'ffmpeg_one "$1" "${1%.wav}.ff.mp2" 2 44100'"'"' _ {}' _ "${batch_files[@]}")
tl=$(measure bash -c 'printf "%s\n" "$@" | xargs -P '"$JOBS"' -I{} bash -c '"'"'twolame_one "$1" "${1%.wav}.tl.mp2" 2'"'"' _ {}' _ "${batch_files[@]}")
row "8 x 1 min, $JOBS at once" "$ours" "$ff" "$tl"
echo "(MiB: peak resident set of the largest process of each command, from GNU time)"

if [ "$RF64_GB" -gt 0 ]; then
  bytes=$((RF64_GB * 1000 * 1000 * 1000))
  big_seconds=$((bytes / 176400))
  echo >&2 "Generating a ${RF64_GB} GB RF64 file ($big_seconds s of 44.1 kHz stereo) ..."
  rm -f "$WORK"/s44.wav "$WORK"/s48.wav "$WORK"/*.mp2
  ffmpeg -v error -y -f lavfi -i "anoisesrc=color=pink:sample_rate=44100:amplitude=0.3" -ac 2 -t "$big_seconds" \
    -c:a pcm_s16le -rf64 always "$WORK/big.wav"
  small=$(measure "$VBENC" -q -j 1 "$WORK/batch/b1.wav")
  big=$(measure "$VBENC" -q -j 1 "$WORK/big.wav")
  read -r ts ms <<<"$small"; read -r tb mb <<<"$big"
  printf '\nPeak RSS of vbenc: %.1f MiB on a 1-minute file (%s bytes), %.1f MiB on the RF64 file (%s bytes, %.0f s, %.0fx real time)\n' \
    "$(ratio "$ms" 1024)" "$(stat -c %s "$WORK/batch/b1.wav")" "$(ratio "$mb" 1024)" "$(stat -c %s "$WORK/big.wav")" \
    "$tb" "$(ratio "$big_seconds" "$tb")"
fi
