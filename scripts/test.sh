#!/usr/bin/env bash
# Sets up and builds the whole tree, runs each benchmark once, briefly, to keep it alive, and
# runs every test. CMAKE_BUILD_PARALLEL_LEVEL limits the number of build jobs and of tests run
# at once (default: one per processor).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
jobs="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
export QT_QPA_PLATFORM=offscreen
for b in build/bench/*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  "$b" --benchmark_min_time=0.01 >/dev/null
done
# Short fuzzing runs of the parsers that read untrusted files.
if [ -f scripts/fuzz.sh ]; then bash scripts/fuzz.sh; fi
ctest --test-dir build --output-on-failure --parallel "$jobs"
