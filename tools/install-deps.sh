#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail
packages=(
  cmake g++ make pkg-config
  libwxgtk3.2-dev libexpat1-dev libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  sox ffmpeg mpg123 twolame xvfb xauth time
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq || true
  $sudo apt-get install -y -qq "${missing[@]}"
fi
