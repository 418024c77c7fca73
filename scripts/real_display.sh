#!/usr/bin/env bash
# Runs test programs on a real X display, as a user's desktop shows their windows: a fresh
# Xvfb server with a 1024x768 screen on a free display (the server picks the number and tells
# it through -displayfd), the openbox window manager on it, and each program with
# QT_QPA_PLATFORM=xcb and the gtest filter. Everything it writes stays in its own temporary
# directory, which goes when it ends.
#   real_display.sh FILTER PROGRAM...
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: real_display.sh FILTER PROGRAM..." >&2
  exit 2
fi
filter=$1
shift
for tool in Xvfb openbox; do
  if ! command -v "$tool" >/dev/null; then
    echo "real_display.sh: $tool is missing (scripts/setup.sh installs it)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
xvfb=""
wm=""
cleanup() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The window manager's own files (its cache and settings) go into the temporary directory.
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
export HOME="$work/home" XDG_CACHE_HOME="$work/home/.cache" XDG_CONFIG_HOME="$work/home/.config" \
       XDG_RUNTIME_DIR="$work/runtime"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || { cat "$work/xvfb.log" >&2; echo "real_display.sh: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$work/display" ] || { echo "real_display.sh: Xvfb reported no display" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

# openbox runs its start-up command once it manages the screen.
openbox --sm-disable --startup "touch $work/wm-ready" >"$work/wm.log" 2>&1 &
wm=$!
for _ in $(seq 100); do
  [ -e "$work/wm-ready" ] && break
  sleep 0.1
done
[ -e "$work/wm-ready" ] || { cat "$work/wm.log" >&2; echo "real_display.sh: openbox did not start" >&2; exit 1; }
echo "real_display.sh: Xvfb on $DISPLAY with openbox"

status=0
for program in "$@"; do
  QT_QPA_PLATFORM=xcb "$program" --gtest_filter="$filter" || status=1
done
exit $status
