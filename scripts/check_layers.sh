#!/usr/bin/env bash
# Keeps the layer rule in every folder of the tree: a library includes only its own headers and
# those of the layers below it; its tests and fuzz targets keep the same rule, and so do the
# programs (installer/kwmain, installer/movexe), the data builder (tools) and the benchmarks
# (bench). A source in a folder that has no rule here may include nothing of the project's
# folders. Prints each include that breaks the rule and fails on any.
set -euo pipefail
cd "$(dirname "$0")/.."

# Every top-level folder but hidden ones and build trees.
folders=()
for d in */; do
  d=${d%/}
  [ -f "$d/CMakeCache.txt" ] && continue
  folders+=("$d")
done

grep -rHE '^[[:space:]]*#[[:space:]]*include "[^"]+/' "${folders[@]}" --include='*.h' --include='*.cpp' |
awk '
BEGIN {
    # The folders each layer may include besides its own.
    below["framework"] = ""
    below["globals"] = "framework"
    below["astro"] = "framework globals"
    below["ui"] = "framework globals astro"
    below["catalog"] = "framework globals astro ui"
    below["chart"] = "framework globals astro ui catalog"
    below["planner"] = "framework globals astro ui catalog chart"
    below["obslog"] = "framework globals astro ui catalog chart"
    below["app"] = "framework globals astro ui catalog chart planner obslog"
    below["installer/support"] = "framework"
    below["installer/engine"] = "framework installer/support"
    below["installer/kwmain"] = "framework installer/support installer/engine"
    below["installer/movexe"] = "framework installer/support installer/engine"
    # The data builder uses the planner libraries that know the data files, not the shell.
    below["tools"] = "framework globals astro ui catalog chart planner obslog"
    # A benchmark may measure any library of either program.
    below["bench"] = "framework globals astro ui catalog chart planner obslog app installer/support installer/engine"
    for (l in below) known[l] = 1
    status = 0
}
function folder(path,   parts, n) {
    n = split(path, parts, "/")
    if (parts[1] == "installer" && n > 2) return parts[1] "/" parts[2]
    return parts[1]
}
{
    file = substr($0, 1, index($0, ":") - 1)
    header = $0
    sub(/^[^"]*"/, "", header)
    sub(/".*$/, "", header)
    from = folder(file)
    to = folder(header)
    if (!(to in known) || to == from) next
    if (!(from in known)) {
        print file " includes " header ", but " from " has no layer rule"
        status = 1
    } else if (index(" " below[from] " ", " " to " ") == 0) {
        print file " includes " header ", which " from " may not include"
        status = 1
    }
}
END { exit status }
'
