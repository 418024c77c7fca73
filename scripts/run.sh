#!/usr/bin/env bash
# Sets up and builds Stellum with its data files, then starts the planner.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -x build/bin/stlm32 ]; then
  exec build/bin/stlm32 "$@"
fi
echo "Built the tree and the data files in build/bin/."
