#!/usr/bin/env bash
# Shared set-up of play.sh and test.sh: installs the Debian packages the build
# needs (when missing and running as root) and configures and builds.
# Usage: setup.sh BUILD_DIR [extra cmake args...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$1"; shift

packages=(build-essential cmake ninja-build pkg-config libpng-dev zlib1g-dev libsdl2-dev
          libx11-dev libfluidsynth-dev timgm6mb-soundfont libfreetype-dev fonts-misaki libgtest-dev
          clang libclang-rt-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" = 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
  else
    echo "Missing Debian packages (run as root to install them): ${missing[*]}" >&2
  fi
fi

cmake -S "$here" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build"
