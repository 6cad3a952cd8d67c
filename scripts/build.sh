#!/usr/bin/env bash
# Configures and builds everything in build/ (extra CMake options may follow).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" > build-configure.log \
    || { cat build-configure.log; exit 1; }
rm -f build-configure.log
cmake --build build --parallel "$(nproc)"
