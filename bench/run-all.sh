#!/usr/bin/env bash
# Builds the optimised programs and runs every benchmark of the project, offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
export QT_QPA_PLATFORM=offscreen
echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) núcleos, $(uname -srm)"
build/release/bench/bench_core --benchmark_format=console 2>/dev/null
build/release/bench/bench_help --benchmark_format=console 2>/dev/null
build/release/bench/bench_startup 2>/dev/null
