#!/usr/bin/env bash
# Installs the Debian packages Orvanta needs to build, run and test.
# This is the only place where that list lives. Does nothing when all are present.
set -euo pipefail

packages=(
  # build tools
  build-essential cmake ninja-build pkg-config git
  # tests, benchmarks, fuzzing
  googletest libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-dev
  # platform layer: window, GL through Mesa, text, screenshots
  libsdl2-dev libepoxy-dev libgl-dev libegl-dev libgl1-mesa-dri libegl-mesa0
  libfreetype-dev libfontconfig-dev fonts-liberation2 libpng-dev
  # end-to-end tests in a real X server
  xvfb xauth xdotool x11-utils libx11-dev
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
