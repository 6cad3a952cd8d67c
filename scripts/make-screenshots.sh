#!/usr/bin/env bash
# Remakes the screenshots of the user's guide (docs/images/) from the real program: the
# desktop program of build/bin (or the one named) on a bundled example, under a virtual
# 1024x768 display with the openbox window manager, driven by xdotool, captured with
# ImageMagick. Run it again whenever a window the guide shows changes; then rebuild.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(readlink -f "${1:-build/bin/vornadesk}")
[ -x "$program" ] || { echo "make-screenshots: no program $program (build first)" >&2; exit 1; }
for tool in Xvfb openbox xdotool import; do
    command -v "$tool" > /dev/null || { echo "make-screenshots: needs $tool (xvfb, openbox, xdotool, imagemagick)" >&2; exit 1; }
done
images=$PWD/docs/images
mkdir -p "$images"
scratch=$(mktemp -d)
cleanup() {
    [ -n "${desk_pid:-}" ] && kill "$desk_pid" 2> /dev/null
    [ -n "${openbox_pid:-}" ] && kill "$openbox_pid" 2> /dev/null
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2> /dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$scratch/display" > /dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 20); do [ -s "$scratch/display" ] && break; sleep 0.5; done
export DISPLAY=":$(head -n 1 "$scratch/display")"
openbox > /dev/null 2>&1 &
openbox_pid=$!
sleep 1
# A settings folder of its own, so the recent-files list and viewer are the defaults.
export XDG_CONFIG_HOME=$scratch/config
export QT_QPA_PLATFORMTHEME=""

pause() { sleep "${1:-1.5}"; }
keys() { xdotool key --clearmodifiers "$@"; pause; }
shot_screen() { import -window root "$images/$1.png"; }
shot_active() { import -window "$(xdotool getactivewindow)" -frame "$images/$1.png"; }

start() {
    (cd "$scratch" && exec "$program" "$@" > "$scratch/desk.txt" 2>&1) &
    desk_pid=$!
    main=$(timeout 30 xdotool search --sync --onlyvisible --name "^VORNA " | head -n 1)
    xdotool windowsize "$main" 1024 740 windowmove "$main" 0 0 windowactivate --sync "$main"
    pause 2
}
stop() {
    xdotool windowactivate --sync "$main" key --clearmodifiers alt+F4
    for _ in $(seq 20); do kill -0 "$desk_pid" 2> /dev/null || break; sleep 0.5; done
    kill "$desk_pid" 2> /dev/null || true
    wait "$desk_pid" 2> /dev/null || true
    desk_pid=""
}

# The guide's first project: the example's profile, diameters 3 to 6 ft, 100 tons.
sed -e '4s/^2 6 /3 6 /' -e '5s/^\([0-9]* [0-9.]*\) [0-9.]*/\1 100/' examples/example.vrd \
    > "$scratch/first.vrd"

# A new project: the empty main window.
start
shot_screen main-window
keys alt+t t
shot_screen title-dialog
keys alt+t d
shot_screen shaft-properties
stop

# The first project: data windows, a run, the results.
start first.vrd
keys alt+t l
shot_screen soil-layers
keys alt+t w
shot_screen water-table
keys alt+t o
shot_screen control-options
keys alt+c r
pause 3
shot_active run-complete
keys Return
keys alt+c v
shot_screen elevation-view
keys alt+g o
pause 2
shot_screen capacity-graph
keys alt+h a
shot_active about-box
keys Return
stop

# Results of an earlier run are shown at once when the project is opened again.
start first.vrd
keys alt+g Down Down Down Down Down Down Down Down Return
pause 2
shot_screen settlement-graph
stop

ls -l "$images"
