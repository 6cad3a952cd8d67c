#!/usr/bin/env bash
# Makes the large project, runs `vorna` on it for its plot data file, and times the desktop's
# reading of that file the former way against TWordReader (build/bin/plot_reader_bench).
#     bench/plot_reader.sh [BUILD_BIN] [RUNS]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bin="$(realpath "${1:-$here/../build/bin}")"
runs="${2:-21}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
python3 "$here/make_project.py" large.vrd
"$bin/vorna" large.vrd >/dev/null
echo "plot data file: $(wc -c <large.vrp) bytes"
QT_QPA_PLATFORM=offscreen "$bin/plot_reader_bench" large.vrp "$runs"
