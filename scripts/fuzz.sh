#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 600):
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# Targets: engine_input_fuzz names_file_fuzz project_reader_fuzz plot_reader_fuzz
# evaluator_fuzz (all when none is named). Corpora are seeded from the examples and the test
# files and kept in build-fuzz/corpus/, so a later run goes on where the last one stopped.
# Findings land in build-fuzz/findings/; add each one, once fixed, to the regression folder
# its test replays (tests/engine/fuzz_regressions/, tests/desktop/fuzz_regressions/, ...).
# An input that takes over 1 s is written there as timeout-... and the run goes on: time it
# again in the release build (build/bin/vorna FILE for the engine). Over 1 s there too is a
# hang to fix; a large valid project can take that long only under the instrumentation.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(engine_input_fuzz names_file_fuzz project_reader_fuzz
                                      plot_reader_fuzz evaluator_fuzz)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! command -v clang++ >/dev/null || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q "ok installed"; then
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq clang libclang-rt-14-dev
fi
bash scripts/install-deps.sh

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORNA_FUZZ=ON -DVORNA_BUILD_DESKTOP=ON -DVORNA_BUILD_TESTS=OFF -DVORNA_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --target "${targets[@]}"

corpus=build-fuzz/corpus
mkdir -p $corpus/engine $corpus/names $corpus/project $corpus/plot $corpus/evaluator build-fuzz/findings
cp examples/*.vrd tests/engine/data/*.vrd tests/engine/fuzz_regressions/*.vrd $corpus/engine/
printf '2012.7.10\r\njob.vrd\r\njob.vro\r\njob.vrp\r\njob.vrr\r\n' > $corpus/names/seed
# A leading byte chooses the reading mode of the desktop readers (see each target).
for f in examples/*.vrd tests/engine/data/*.vrd; do
    name=$(basename "$f" .vrd)
    { printf '\0'; cat "$f"; } > $corpus/project/$name-current
    { printf '\1'; cat "$f"; } > $corpus/project/$name-older
done
for f in tests/engine/golden/*.vrp; do
    name=$(basename "$f" .vrp)
    { printf '\0'; cat "$f"; } > $corpus/plot/$name-compression
    { printf '\2'; cat "$f"; } > $corpus/plot/$name-uplift
    { printf '\1'; cat "$f"; } > $corpus/plot/$name-older
done
i=0
for e in '2^3^2' '(2+3)*4' '-7%3' '1&0|5' '1+2=3' '5!' '$FF' '3*-2' '1e-3' '5-(-3)' '-2^2' \
         '1 000' 'sin(pi/2)' 'sqrt(sqrt(16))' 'arctan(1)*4' 'frac(-2.25)' 'round(2.5)' 'ln(e)'; do
    printf '%s' "$e" > $corpus/evaluator/seed$((i++))
done
for dir in tests/*/fuzz_regressions; do
    case $dir in
        tests/desktop/*) cp "$dir"/* $corpus/project/ 2>/dev/null || true ;;
        tests/graphs/*) cp "$dir"/* $corpus/plot/ 2>/dev/null || true ;;
        tests/tables/*) cp "$dir"/* $corpus/evaluator/ 2>/dev/null || true ;;
    esac
done

status=0
for target in "${targets[@]}"; do
    case $target in
        engine_input_fuzz) dir=engine; dict=vrd.dict ;;
        names_file_fuzz) dir=names; dict=vrd.dict ;;
        project_reader_fuzz) dir=project; dict=vrd.dict ;;
        plot_reader_fuzz) dir=plot; dict=vrp.dict ;;
        evaluator_fuzz) dir=evaluator; dict=evaluator.dict ;;
        *) echo "unknown target $target" >&2; exit 2 ;;
    esac
    echo "== $target for $seconds s"
    build-fuzz/bin/$target $corpus/$dir -dict=fuzz/$dict -max_total_time="$seconds" \
        -timeout=1 -fork=1 -ignore_timeouts=1 -rss_limit_mb=2048 \
        -artifact_prefix=build-fuzz/findings/$target- || status=1
done
ls -l build-fuzz/findings/
exit $status
