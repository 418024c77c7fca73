#!/usr/bin/env bash
# Builds the fuzz targets of the installer's untrusted-input readers (the portable stream, the
# INI scanner, the decompressor, the install script, conditions and "$" texts, the operation
# log) and of the observing log's files (the log in both forms, its header, filter and crash
# journal) with libFuzzer and AddressSanitizer, and runs each briefly. Fails on a
# finding. FUZZ_SECONDS sets the time per target (default 20).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-20}"
out=build/fuzz
mkdir -p "$out"

CXX="${FUZZ_CXX:-clang++}"
if ! command -v "$CXX" >/dev/null; then
  echo "fuzz.sh: $CXX not found (install clang and libclang-rt-14-dev)" >&2
  exit 1
fi

flags=(-std=c++17 -g -O1 -fPIC -fsanitize=fuzzer,address -fno-omit-frame-pointer -I.
       $(pkg-config --cflags Qt6Widgets))
libs=($(pkg-config --libs Qt6Widgets) -lz)
# The support library and the parts of the platform layer it stands on, built instrumented.
sources=(installer/support/*.cpp installer/support/lzp/*.cpp installer/engine/*.cpp framework/sys/*.cpp
         framework/stream/*.cpp framework/gui/*.cpp)
# The observing log's file readers and the two planner helpers they use (choice lists, text
# values); the log document itself is not among them.
sources+=(obslog/ObsRecord.cpp obslog/ObsRecordHeader.cpp obslog/RuravAvaviv.cpp obslog/LogFile.cpp
          obslog/LogJournal.cpp obslog/TaggedText.cpp ui/CBdata.cpp ui/TextConvert.cpp)

# Objects once, shared by both targets.
objdir="$out/obj"
mkdir -p "$objdir"
objects=()
pids=()
for s in "${sources[@]}"; do
  o="$objdir/$(echo "$s" | tr '/' '_').o"
  if [ ! -f "$o" ] || [ "$s" -nt "$o" ] || [ scripts/fuzz.sh -nt "$o" ]; then
    "$CXX" "${flags[@]/-fsanitize=fuzzer,address/-fsanitize=fuzzer-no-link,address}" -c "$s" -o "$o" &
    pids+=($!)
  fi
  objects+=("$o")
done
for p in "${pids[@]}"; do
  wait "$p" || { echo "fuzz.sh: a source did not compile" >&2; exit 1; }
done

status=0
for target in installer/support/fuzz/*.cpp installer/engine/fuzz/*.cpp obslog/fuzz/*.cpp; do
  name=$(basename "$target" .cpp)
  "$CXX" "${flags[@]}" "$target" "${objects[@]}" "${libs[@]}" -o "$out/$name"
  corpus="$out/corpus-$name"
  mkdir -p "$corpus"
  # The script reader starts from the build's own install script when there is one.
  if [ "$name" = script_reader_fuzz ] && [ -f build/package/install.inf ]; then
    cp build/package/install.inf "$corpus/seed-install.inf"
  fi
  echo "fuzz: $name for ${seconds}s"
  if ! QT_QPA_PLATFORM=offscreen "$out/$name" -max_total_time="$seconds" -max_len=4096 \
        -artifact_prefix="$out/$name-" "$corpus" >"$out/$name.log" 2>&1; then
    echo "fuzz: $name found a fault:" >&2
    tail -n 40 "$out/$name.log" >&2
    status=1
  else
    grep -E "^#[0-9]+.*DONE|Done [0-9]+ runs" "$out/$name.log" | tail -n 1 || true
  fi
done
exit $status
