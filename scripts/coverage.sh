#!/usr/bin/env bash
# Branch and line cover of the game's code: a Debug --coverage build of the suite in
# build-cov, one run of the whole test binary, then gcovr with the repository's gcovr.cfg
# (src/ without the platform layer, exception landing pads left out). The second figure is
# the same measure with the landing pads counted.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$here/build-cov"
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_C_FLAGS="--coverage -O0" \
  -DCMAKE_EXE_LINKER_FLAGS=--coverage "${launcher[@]}" >/dev/null
cmake --build "$build"
find "$build/CMakeFiles" -path "*CompilerId*" -name "*.gcno" -delete
find "$build" -name '*.gcda' -delete
(cd "$build" && ./tests/pellumbrisk_tests --gtest_brief=1)
cd "$here"
echo "== gcovr (gcovr.cfg) =="
gcovr --object-directory "$build" -j"$(nproc)" -s | tail -3
echo "== the same, exception landing pads counted =="
gcovr --config /dev/null --filter src/ --exclude src/platform/ --object-directory "$build" \
  -j"$(nproc)" -s 2>/dev/null | tail -3 || true
