#!/usr/bin/env bash
# Builds and runs every test: one clang build under the address and
# undefined-behaviour sanitizers runs the whole suite (PostgreSQL tests
# against a throwaway cluster, windows offscreen), then every fuzz target of
# the same build for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh

jobs=$(nproc)
fuzz_seconds=${AMBIT_FUZZ_SECONDS:-20}

cmake --preset asan
cmake --build --preset asan -j "$jobs"

cleanup() { tools/pg-cluster.sh stop >/dev/null 2>&1 || true; }
trap cleanup EXIT
eval "$(tools/pg-cluster.sh start)"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tools/lsan.supp:print_suppressions=0}
export QT_QPA_PLATFORM=offscreen
ctest --preset asan -j "$jobs"
# What needs two processes, a signal or a full disk.
tools/failure-checks.sh build/asan/bin

# Fuzz targets, each for a bounded time, starting from its seed inputs.
# A crashing input is kept under build/asan/fuzz-artifacts/ and the whole
# report is printed.
artifacts=build/asan/fuzz-artifacts
mkdir -p "$artifacts"
for target in build/asan/bin/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="fuzz/corpus/${name#fuzz_}"
  echo "== $name (${fuzz_seconds}s)"
  # A scratch copy of the seeds: libFuzzer adds what it finds to the folder.
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  if ! "$target" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -print_final_stats=0 \
      -artifact_prefix="$artifacts/$name-" "$work" >"$work.log" 2>&1; then
    cat "$work.log"
    rm -rf "$work" "$work.log"
    echo "$name failed; the input is in $artifacts/" >&2
    exit 1
  fi
  tail -n 2 "$work.log"
  rm -rf "$work" "$work.log"
done
echo "All tests passed."
