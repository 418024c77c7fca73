#!/usr/bin/env bash
# Sets up, configures and builds Stellum in build/: the named targets, or with none the whole
# tree (programs, data files, package, tests and benchmarks).
# CMAKE_BUILD_PARALLEL_LEVEL limits the number of jobs (default: one per processor).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${STELLUM_CMAKE_ARGS:-} >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" "${targets[@]}"
