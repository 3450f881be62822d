#!/usr/bin/env bash
# Installs what the build needs, builds the game and runs the whole test suite.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cd "$here/build"
ctest --output-on-failure -j"$(nproc)"
