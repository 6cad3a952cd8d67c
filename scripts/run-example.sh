#!/usr/bin/env bash
# The main job: installs what is needed, builds, analyses the bundled example and, when a
# display is present, starts the desktop program on it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
./build/bin/vorna examples/rock_socket_design_depth.vrd
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    echo "Starting the desktop program on examples/rock_socket_design_depth.vrd"
    exec ./build/bin/vornadesk examples/rock_socket_design_depth.vrd
fi
echo "No display: the desktop program was not started (build/bin/vornadesk FILE.vrd starts it)."
