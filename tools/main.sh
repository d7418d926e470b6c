#!/usr/bin/env bash
# The main job: builds the optimised programs and runs the demonstration.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
build/release/bin/hostdemo
