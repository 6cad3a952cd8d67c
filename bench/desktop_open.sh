#!/usr/bin/env bash
# The desktop on the large project (in the 20 layers it holds): whole starts of the program
# up to its first painted window, without the plot data file beside the project and with it,
# and with it up to the built result graphs, interleaved; then the same inside one process,
# and a Run through the window against `vorna` on the same project.
#     bench/desktop_open.sh [BUILD_BIN] [RUNS]      (RUNS at least 11, default 21)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bin="$(realpath "${1:-$here/../build/bin}")"
runs="${2:-21}"
[ "$runs" -ge 11 ] || runs=11
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir bare full
python3 "$here/make_project.py" full/large.vrd --layers 20
cp full/large.vrd bare/
(cd full && "$bin/vorna" large.vrd >/dev/null)
echo "plot data file: $(wc -c <full/large.vrp) bytes"
export QT_QPA_PLATFORM=offscreen
now() { date +%s%N; }
: >bare.times
: >full.times
: >graphs.times
: >vorna.times
"$bin/desktop_open_bench" --once bare/large.vrd # warm the caches once
for _ in $(seq "$runs"); do
    t0=$(now); "$bin/desktop_open_bench" --once bare/large.vrd; t1=$(now)
    "$bin/desktop_open_bench" --once full/large.vrd; t2=$(now)
    "$bin/desktop_open_bench" --once --graphs full/large.vrd; t3=$(now)
    (cd full && "$bin/vorna" large.vrd >/dev/null); t4=$(now)
    echo $(((t1 - t0) / 1000)) >>bare.times
    echo $(((t2 - t1) / 1000)) >>full.times
    echo $(((t3 - t2) / 1000)) >>graphs.times
    echo $(((t4 - t3) / 1000)) >>vorna.times
done
median() { sort -n "$1" | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
b=$(median bare.times)
f=$(median full.times)
g=$(median graphs.times)
v=$(median vorna.times)
awk -v b="$b" -v f="$f" -v g="$g" -v n="$runs" 'BEGIN {
    printf "start to first painted window, medians of %d interleaved:\n", n
    printf "  without its plot data file  %7.1f ms\n", b / 1000
    printf "  with it                     %7.1f ms  (ratio %.2f)\n", f / 1000, f / b
    printf "  with it, graphs built       %7.1f ms  (ratio %.2f)\n", g / 1000, g / b }'
awk -v v="$v" 'BEGIN { printf "vorna on the same project: %.1f ms\n", v / 1000 }'
"$bin/desktop_open_bench" full/large.vrd "$runs"
