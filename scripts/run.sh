#!/usr/bin/env bash
# Sets up and builds Stellum with its data files, then starts the planner.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -x build/bin/stlm32 ]; then
  # The planner keeps its recent-files list in the working directory: run it in its own.
  cd build/bin
  exec ./stlm32 "$@"
fi
echo "Built the tree and the data files in build/bin/."
