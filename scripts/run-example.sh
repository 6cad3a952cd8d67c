#!/usr/bin/env bash
# The main job: installs what is needed, builds, and analyses the bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
./build/bin/vorna examples/rock_socket_design_depth.vrd
