#!/usr/bin/env bash
# Runs two builds of `vorna` on the same projects and compares every output byte for byte:
# the report, the plot data file, the run-time file, TZDATA.DAT and the console. The projects
# are the bundled examples, the test projects, the bad-input cases and a sweep of generated
# ones (design depths 75 to 2000 ft, output increments 0.1 to 10, English and SI, allowable
# stress and LRFD, design depth and design load).
#
#     bench/compare_outputs.sh BASELINE_VORNA [NEW_VORNA]
#
# NEW_VORNA defaults to build/bin/vorna. Exit status 0 when every output is identical.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
baseline="$(realpath "$1")"
candidate="$(realpath "${2:-$root/build/bin/vorna}")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/projects" "$work/run" "$work/before" "$work/after"
for f in "$root"/examples/*.vrd "$root"/tests/engine/data/*.vrd "$root"/tests/engine/fuzz_regressions/*.vrd \
    "$root"/tests/bad_input/*.vrd; do
    cp "$f" "$work/projects/$(basename "$(dirname "$f")")-$(basename "$f")"
done
make="python3 $here/make_project.py"
for depth in 75 150 250 600 2000; do
    # Fewer diameters on the deepest profiles keep the sweep within minutes.
    largest=30
    [ "$depth" -ge 600 ] && largest=6
    for inc in 0.1 0.25 1 2.5 10; do
        $make "$work/projects/gen-d$depth-i$inc-en.vrd" --depth "$depth" --increment "$inc" --largest "$largest"
        $make "$work/projects/gen-d$depth-i$inc-si.vrd" --depth "$depth" --increment "$inc" --largest "$largest" --si
    done
    $make "$work/projects/gen-d$depth-lrfd-en.vrd" --depth "$depth" --lrfd --largest "$largest"
    $make "$work/projects/gen-d$depth-lrfd-si.vrd" --depth "$depth" --lrfd --si --largest "$largest" --increment 0.3
done
$make "$work/projects/gen-load-en.vrd" --load 900 --increment 0.5
$make "$work/projects/gen-load-si.vrd" --load 9000 --si --increment 0.2
$make "$work/projects/gen-load-lrfd.vrd" --load 700 --lrfd

# The report head carries the time of the run; a run that straddles a second must not count.
clock_masked() {
    [ -e "$1" ] || { echo "missing"; return; }
    sed -E 's/Time:  [0-9]{2}:[0-9]{2}:[0-9]{2}/Time:  hh:mm:ss/' "$1"
}

failures=0
count=0
for project in "$work"/projects/*.vrd; do
    name="$(basename "$project" .vrd)"
    # Both builds run in the same folder, so that even the printed paths agree.
    for side in before after; do
        program="$baseline"
        [ "$side" = after ] && program="$candidate"
        rm -rf "$work/run/$name" && mkdir -p "$work/run/$name"
        cp "$project" "$work/run/$name/"
        (cd "$work/run/$name" && "$program" "$name.vrd" >stdout.txt 2>&1) || true
        mv "$work/run/$name" "$work/$side/$name"
    done
    for out in "$name.vro" "$name.vrp" "$name.vrr" TZDATA.DAT stdout.txt; do
        count=$((count + 1))
        a="$work/before/$name/$out"
        b="$work/after/$name/$out"
        if [ -e "$a" ] || [ -e "$b" ]; then
            if ! cmp -s <(clock_masked "$a") <(clock_masked "$b"); then
                echo "DIFFERS: $name/$out"
                failures=$((failures + 1))
            fi
        fi
    done
    rm -rf "$work/before/$name" "$work/after/$name"
done
echo "$(ls "$work"/projects | wc -l) projects, $count outputs compared, $failures differ"
[ "$failures" -eq 0 ]
