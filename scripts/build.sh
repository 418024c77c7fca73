#!/usr/bin/env bash
# Configures and builds the whole tree (programs, data files, tests, benchmarks) in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${STELLUM_CMAKE_ARGS:-} >/dev/null
cmake --build build --parallel "$(nproc)"
