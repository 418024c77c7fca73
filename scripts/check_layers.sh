#!/usr/bin/env bash
# Keeps the layer rule: a library includes only its own headers and those of the layers below
# it; its tests and fuzz targets keep the same rule. Prints each upward include and fails on
# any.
set -euo pipefail
cd "$(dirname "$0")/.."

layers="framework globals astro ui catalog chart planner obslog app installer/support installer/engine"
grep -rHE '^[[:space:]]*#[[:space:]]*include "[^"]+/' $layers --include='*.h' --include='*.cpp' |
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
    if (index(" " below[from] " ", " " to " ") == 0) {
        print file " includes " header ", a layer above " from
        status = 1
    }
}
END { exit status }
'
