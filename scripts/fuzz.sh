#!/usr/bin/env bash
# Builds every fuzz target of the tree (<folder>/fuzz/*.cpp: the readers of files that a user, a
# script or another program hands over) with libFuzzer and AddressSanitizer against one shared
# instrumented build, and runs each briefly. Fails on a finding. FUZZ_SECONDS sets the time
# per target (default 10).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-10}"
out=build/fuzz
mkdir -p "$out"

CXX="${FUZZ_CXX:-clang++}"
if ! command -v "$CXX" >/dev/null; then
  echo "fuzz.sh: $CXX not found (install clang and libclang-rt-14-dev)" >&2
  exit 1
fi

flags=(-std=c++17 -g -O1 -fPIC -fsanitize=fuzzer,address -fno-omit-frame-pointer -I.
       $(pkg-config --cflags Qt6Widgets Qt6PrintSupport))
libs=($(pkg-config --libs Qt6Widgets Qt6PrintSupport) -lz)
# The support library and the parts of the platform layer it stands on, built instrumented.
sources=(installer/support/*.cpp installer/support/lzp/*.cpp installer/engine/*.cpp framework/sys/*.cpp
         framework/stream/*.cpp framework/gui/*.cpp)
# The observing log's file readers and the two planner helpers they use (choice lists, text
# values); the log document itself is not among them.
sources+=(obslog/ObsRecord.cpp obslog/ObsRecordHeader.cpp obslog/RuravAvaviv.cpp obslog/LogFile.cpp
          obslog/LogJournal.cpp obslog/TaggedText.cpp obslog/LogImport.cpp)
# The planner file's reader and the layers below it: the catalogue database, the shared user
# interface services and settings, the astronomy library and the program-wide objects.
sources+=(planner/STLM5doc.cpp catalog/*.cpp ui/*.cpp astro/*.cpp globals/*.cpp)
# The chart's user files (labels, constellation lines) and the rest of the chart layer they sit in.
sources+=(chart/*.cpp)

# Objects once, shared by every target, compiled as many at a time as there are cores.
objdir="$out/obj"
# Objects depend on headers too: a header changed since the last build makes them all stale.
if [ -d "$objdir" ] && [ -n "$(find . -path ./build -prune -o -name '*.h' -newer "$objdir" -print -quit)" ]; then
  rm -rf "$objdir"
fi
mkdir -p "$objdir"
objects=()
stale=()
for s in "${sources[@]}"; do
  o="$objdir/$(echo "$s" | tr '/' '_').o"
  if [ ! -f "$o" ] || [ "$s" -nt "$o" ] || [ scripts/fuzz.sh -nt "$o" ]; then
    stale+=("$s" "$o")
  fi
  objects+=("$o")
done
compile=("$CXX" "${flags[@]/-fsanitize=fuzzer,address/-fsanitize=fuzzer-no-link,address}")
if [ ${#stale[@]} -gt 0 ]; then
  # A failed object is removed, so that a later run compiles it again.
  printf '%s\0' "${stale[@]}" | xargs -0 -n 2 -P "$(nproc)" \
    bash -c 'n=$#; src=${@:n-1:1}; obj=${@:n:1}
             "${@:1:n-2}" -c "$src" -o "$obj" || { rm -f "$obj"; exit 255; }' \
    _ "${compile[@]}" \
    || { echo "fuzz.sh: a source did not compile" >&2; exit 1; }
fi
touch "$objdir"

status=0
shopt -s nullglob
for target in */fuzz/*.cpp installer/*/fuzz/*.cpp; do
  name=$(basename "$target" .cpp)
  "$CXX" "${flags[@]}" "$target" "${objects[@]}" "${libs[@]}" -o "$out/$name"
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
  if ! QT_QPA_PLATFORM=offscreen "$out/$name" -max_total_time="$seconds" -max_len="$maxlen" \
        -artifact_prefix="$out/$name-" "$corpus" >"$out/$name.log" 2>&1; then
    echo "fuzz: $name found a fault:" >&2
    tail -n 40 "$out/$name.log" >&2
    status=1
  else
    grep -E "^#[0-9]+.*DONE|Done [0-9]+ runs" "$out/$name.log" | tail -n 1 || true
  fi
done
exit $status
