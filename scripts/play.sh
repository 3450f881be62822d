#!/usr/bin/env bash
# Installs what the build needs, builds the game and starts it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh" "$here/build-play" -DCMAKE_BUILD_TYPE=Release -DPELLUMBRISK_TESTS=OFF
exec "$here/build-play/pellumbrisk"
