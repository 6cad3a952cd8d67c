#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/ and
# runs every test there (the fuzz regression inputs included). Any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNA_SANITIZE=ON \
    -DVORNA_BUILD_BENCH=OFF > build-asan-configure.log || { cat build-asan-configure.log; exit 1; }
rm -f build-asan-configure.log
cmake --build build-asan --parallel "$(nproc)"
# Leak checking is on for every test; scripts/lsan.supp lists the few allocations of the
# system libraries that live as long as the process.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)" --timeout 900
