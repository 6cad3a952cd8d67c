#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 600), seeded
# from the examples and the test projects. Findings land in build-fuzz/findings/; add each
# one, once fixed, to tests/engine/fuzz_regressions/ so the test suite replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! command -v clang++ >/dev/null || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q "ok installed"; then
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq clang libclang-rt-14-dev
fi
bash scripts/install-deps.sh

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORNA_FUZZ=ON -DVORNA_BUILD_DESKTOP=OFF -DVORNA_BUILD_TESTS=OFF -DVORNA_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --target engine_input_fuzz names_file_fuzz

mkdir -p build-fuzz/corpus/engine build-fuzz/corpus/names build-fuzz/findings
cp examples/*.vrd tests/engine/data/*.vrd tests/engine/fuzz_regressions/* build-fuzz/corpus/engine/ 2>/dev/null || true
printf '2012.7.10\r\njob.vrd\r\njob.vro\r\njob.vrp\r\njob.vrr\r\n' > build-fuzz/corpus/names/seed

status=0
for target in engine_input_fuzz names_file_fuzz; do
    corpus=build-fuzz/corpus/engine
    [ "$target" = names_file_fuzz ] && corpus=build-fuzz/corpus/names
    echo "== $target for $seconds s"
    build-fuzz/bin/$target "$corpus" -dict=fuzz/vrd.dict -max_total_time="$seconds" \
        -timeout=2 -rss_limit_mb=2048 -artifact_prefix=build-fuzz/findings/$target- \
        -print_final_stats=1 || status=1
done
exit $status
