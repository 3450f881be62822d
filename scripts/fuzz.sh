#!/usr/bin/env bash
# Builds the save-record fuzz target with clang in build-fuzz and runs it for
# a bounded number of inputs (FUZZ_RUNS, at least 100000); any finding fails.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$here/build-fuzz"
runs="${FUZZ_RUNS:-100000}"
if [ "$runs" -lt 100000 ]; then runs=100000; fi

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DPELLUMBRISK_FUZZ=ON -DPELLUMBRISK_TESTS=OFF >/dev/null
cmake --build "$build" --target save_record_fuzzer

corpus="$build/fuzz-corpus/save_record"
artifacts="$build/fuzz-artifacts/"
mkdir -p "$corpus" "$artifacts"
# Whole-block seeds: the first byte picks a system (0) or slot (1) record.
{ printf '\000'; head -c 65536 /dev/zero; } >"$corpus/seed-system-block"
{ printf '\001'; head -c 65536 /dev/zero; } >"$corpus/seed-slot-block"
echo "== fuzzing the save-record loaders ($runs runs) =="
ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$build/fuzz/save_record_fuzzer" -runs="$runs" -seed="${FUZZ_SEED:-1}" -max_len=70000 \
  -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts" "$corpus"
