#!/usr/bin/env bash
# Builds and runs every test: the whole suite under the address and
# undefined-behaviour sanitizers (PostgreSQL tests against a throwaway
# cluster), then every fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh

jobs=$(nproc)
fuzz_seconds=${AMBIT_FUZZ_SECONDS:-20}

cmake --preset asan
cmake --build --preset asan -j "$jobs"

cleanup() { tools/pg-cluster.sh stop || true; }
trap cleanup EXIT
if [ -x tools/pg-cluster.sh ]; then
  eval "$(tools/pg-cluster.sh start)"
fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tools/lsan.supp:print_suppressions=0}
export QT_QPA_PLATFORM=offscreen
ctest --preset asan -j "$jobs"

# Fuzz targets: clang with libFuzzer, each run for a bounded time.
cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"
for target in build/fuzz/bin/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="fuzz/corpus/${name#fuzz_}"
  args=()
  [ -d "$corpus" ] && args+=("$corpus")
  echo "== $name (${fuzz_seconds}s)"
  "$target" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -print_final_stats=0 "${args[@]}" 2>&1 | tail -n 3
done
echo "All tests passed."
