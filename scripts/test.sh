#!/usr/bin/env bash
# Sets up, builds and runs every test, then runs each benchmark once, briefly, to keep it alive.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
for b in build/bench/*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  "$b" --benchmark_min_time=0.01 >/dev/null
done
# Short fuzzing runs of the parsers that read untrusted files.
if [ -f scripts/fuzz.sh ]; then bash scripts/fuzz.sh; fi
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
