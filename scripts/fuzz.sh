#!/usr/bin/env bash
# Builds every fuzz target of the tree (<folder>/fuzz/*.cpp: the readers of files that a user, a
# script or another program hands over) with libFuzzer and AddressSanitizer in one shared
# instrumented build (build/fuzz-build, the CMake option STELLUM_BUILD_FUZZ), and runs each
# briefly. Fails on a target that does not build and on a finding. FUZZ_SECONDS sets the time
# per target (default 10); FUZZ_CXX the compiler (default clang++).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-10}"
out=build/fuzz
tree=build/fuzz-build
mkdir -p "$out"

CXX="${FUZZ_CXX:-clang++}"
if ! command -v "$CXX" >/dev/null; then
  echo "fuzz.sh: $CXX not found (install clang and libclang-rt-14-dev)" >&2
  exit 1
fi

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER="$CXX" "${launcher[@]}" \
      -DSTELLUM_BUILD_FUZZ=ON -DSTELLUM_BUILD_TESTS=OFF -DSTELLUM_BUILD_BENCH=OFF \
      -DSTELLUM_CHECK_HEADERS=OFF >/dev/null
cmake --build "$tree" --target stellum_fuzz --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"

status=0
for target in "$tree"/fuzz/*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$out/corpus-$name"
  mkdir -p "$corpus"
  # The script reader starts from the build's own install script when there is one.
  if [ "$name" = script_reader_fuzz ] && [ -f build/package/install.inf ]; then
    cp build/package/install.inf "$corpus/seed-install.inf"
  fi
  # The planner file's reader starts from the delivered sample: a steering byte (0: version 5)
  # in place of its signature and version.
  maxlen=4096
  if [ "$name" = planner_file_fuzz ]; then
    maxlen=32768
    if [ -f build/delivered/User/Sample.sl4 ]; then
      { printf '\0'; tail -c +51 build/delivered/User/Sample.sl4; } >"$corpus/seed-sample"
    fi
  fi
  echo "fuzz: $name for ${seconds}s"
  if ! QT_QPA_PLATFORM=offscreen "$target" -max_total_time="$seconds" -max_len="$maxlen" \
        -artifact_prefix="$out/$name-" "$corpus" >"$out/$name.log" 2>&1; then
    echo "fuzz: $name found a fault:" >&2
    tail -n 40 "$out/$name.log" >&2
    status=1
  else
    grep -E "^#[0-9]+.*DONE|Done [0-9]+ runs" "$out/$name.log" | tail -n 1 || true
  fi
done
exit $status
