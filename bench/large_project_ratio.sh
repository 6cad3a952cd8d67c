#!/usr/bin/env bash
# Times `vorna` on the large project against `cp` of its own three output files (one
# process start plus the bytes: the floor), interleaved, and prints the medians and ratio.
#     bench/large_project_ratio.sh [VORNA] [RUNS]      (RUNS at least 11, default 21)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
vorna="$(realpath "${1:-$here/../build/bin/vorna}")"
runs="${2:-21}"
[ "$runs" -ge 11 ] || runs=11
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
python3 "$here/make_project.py" large.vrd
"$vorna" large.vrd >/dev/null
mkdir copies
now() { date +%s%N; }
: >vorna.times
: >cp.times
for _ in $(seq "$runs"); do
    t0=$(now); "$vorna" large.vrd >/dev/null; t1=$(now)
    cp large.vro large.vrp large.vrr copies/; t2=$(now)
    echo $(((t1 - t0) / 1000)) >>vorna.times
    echo $(((t2 - t1) / 1000)) >>cp.times
done
median() { sort -n "$1" | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
v=$(median vorna.times)
c=$(median cp.times)
bytes=$(cat large.vro large.vrp large.vrr | wc -c)
echo "large project: $bytes bytes of output, $runs runs interleaved"
awk -v v="$v" -v c="$c" 'BEGIN { printf "vorna %.1f ms, cp %.1f ms (medians), ratio %.1f\n", v / 1000, c / 1000, v / c }'
