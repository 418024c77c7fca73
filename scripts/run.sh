#!/usr/bin/env bash
# Sets up and builds Stellum with its data files, then starts the planner; with --install,
# runs the installer on the built package instead (into the emulated Windows machine given
# by $STELLUM_WINROOT, by default ~/.local/share/stellum/winroot).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ "${1:-}" = "--install" ]; then
  shift
  exec build/bin/kwmain --package build/package "$@"
fi
if [ -x build/bin/stlm32 ]; then
  # The planner keeps its recent-files list in the working directory: run it in its own.
  cd build/bin
  exec ./stlm32 "$@"
fi
echo "Built the tree and the data files in build/bin/."
