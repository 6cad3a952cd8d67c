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
# Timed from one process that starts both commands the same way: a clock read in a `date`
# of its own would add the same fork and exec to both sides and flatter the ratio.
python3 - "$vorna" "$runs" <<'PY'
import os, statistics, subprocess, sys, time
vorna, runs = sys.argv[1], int(sys.argv[2])
outputs = ["large.vro", "large.vrp", "large.vrr"]
def timed(command):
    start = time.perf_counter_ns()
    subprocess.run(command, stdout=subprocess.DEVNULL, check=True)
    return (time.perf_counter_ns() - start) / 1e6
v, c = [], []
for _ in range(runs):
    v.append(timed([vorna, "large.vrd"]))
    c.append(timed(["cp", *outputs, "copies/"]))
size = sum(os.path.getsize(name) for name in outputs)
vm, cm = statistics.median(v), statistics.median(c)
print(f"large project: {size} bytes of output, {runs} runs interleaved")
print(f"vorna {vm:.1f} ms, cp {cm:.1f} ms (medians), ratio {vm / cm:.1f}")
PY
