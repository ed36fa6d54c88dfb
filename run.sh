#!/usr/bin/env bash
# Builds (Release) and runs the program.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh >&2
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"${JOBS:-2}" >&2
if [ -x build/bin/ZA2Durizez ]; then
  if [ -z "${DISPLAY:-}" ]; then
    echo "No display: run it under Xvfb, e.g.  xvfb-run -a build/bin/ZA2Durizez" >&2
    exit 1
  fi
  exec build/bin/ZA2Durizez "$@"
elif [ -x build/bin/vbenc ]; then
  exec build/bin/vbenc "$@"
else
  echo "Neither the application nor the command-line encoder vbenc is built yet." >&2
  exit 1
fi
