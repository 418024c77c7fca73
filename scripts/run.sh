#!/usr/bin/env bash
# Sets up and builds what the planner needs to run (the programs, the data files and the
# package, no test and no benchmark), then starts the planner in build/bin/; with --install,
# runs the installer on the built package instead (into the emulated Windows machine given by
# $STELLUM_WINROOT, by default ~/.local/share/stellum/winroot).
# CMAKE_BUILD_PARALLEL_LEVEL limits the number of build jobs (default: one per processor).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh stellum_runnable
if [ "${1:-}" = "--install" ]; then
  shift
  exec build/bin/kwmain --package build/package "$@"
fi
if [ -x build/bin/stlm32 ]; then
  # The planner keeps its settings ("Stellum.ini") in the working directory and the user's
  # files in User/ beside it: both in build/bin/.
  cd build/bin
  exec ./stlm32 "$@"
fi
echo "Built the programs and the data files in build/bin/."
