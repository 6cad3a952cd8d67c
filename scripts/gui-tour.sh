#!/usr/bin/env bash
# A fixed tour of the desktop program as a user drives it, on a 1024 x 768 X server with a
# window manager: open each example, run it, show every graph and the elevation view,
# switch the units with the soil layer table and each dialog open, cascade the windows,
# save and reopen. Screenshots go to the tour folder (build/gui-tour unless given); the
# checks that can be made from outside (files written, values converted, windows inside
# the screen) end the script with a nonzero status when one fails.
#
#   scripts/gui-tour.sh [tour folder]      (VORNADESK=path/to/vornadesk to choose the program)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

# ---- what the tour needs, from Debian
tools=(xvfb openbox xdotool imagemagick x11-utils)
missing=()
for p in "${tools[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

program=${VORNADESK:-$root/build/bin/vornadesk}
[ -x "$program" ] || { echo "gui-tour: no program at $program (build first)" >&2; exit 2; }

tour=${1:-$root/build/gui-tour}
rm -rf "$tour"
mkdir -p "$tour/shots" "$tour/home"
tour=$(cd "$tour" && pwd)
# The program's settings (recent files, text editor) stay inside the tour.
export HOME=$tour/home XDG_CONFIG_HOME=$tour/home/.config
unset QT_QPA_PLATFORM

failures=0
check() { # check "what" command...
    local what=$1
    shift
    if "$@"; then
        echo "ok    $what"
    else
        echo "FAIL  $what"
        failures=$((failures + 1))
    fi
}

# ---- the X server and the window manager
display_number=77
while [ -e "/tmp/.X11-unix/X$display_number" ] || [ -e "/tmp/.X$display_number-lock" ]; do
    display_number=$((display_number + 1))
done
export DISPLAY=:$display_number
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp > "$tour/xvfb.log" 2>&1 &
xvfb_pid=$!
program_pid=""
wm_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.1; done
openbox > "$tour/openbox.log" 2>&1 &
wm_pid=$!
sleep 1

# ---- helpers
shot() { # shot name: the whole screen
    sleep 0.6
    import -window root "$tour/shots/$1.png"
}
keys() { # keys key...: typed into the focused window, with a pause for the program
    for k in "$@"; do
        xdotool key --clearmodifiers "$k"
        sleep 0.35
    done
}
main_window() {
    xdotool search --sync --onlyvisible --name '^VORNA 2012\.7\.10 - ' 2> /dev/null | head -1
}
focus_main() {
    local w
    w=$(main_window)
    xdotool windowactivate --sync "$w" 2> /dev/null || xdotool windowfocus --sync "$w"
    sleep 0.3
}
# A message box or another top-level window of the program in front of the main window.
box_window() {
    xdotool search --onlyvisible --pid "$program_pid" 2> /dev/null |
        while read -r w; do
            name=$(xdotool getwindowname "$w" 2> /dev/null || true)
            case "$name" in "VORNA 2012.7.10 - "*) ;; *) [ -n "$name" ] && echo "$w" ;; esac
        done | head -1
}
close_boxes() { # Escape into every box in front of the main window, at most five
    local i
    for i in 1 2 3 4 5; do
        [ -n "$(box_window)" ] || return 0
        keys Escape
        sleep 0.3
    done
}
wait_box() { # wait_box seconds: true when a box came up
    local i
    for i in $(seq $(($1 * 10))); do
        [ -n "$(box_window)" ] && return 0
        sleep 0.1
    done
    return 1
}
inside_screen() { # inside_screen window: its frame lies within 1024 x 768
    local geometry x y w h
    geometry=$(xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
        /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')
    read -r x y w h <<< "$geometry"
    echo "      window at $x,$y size ${w}x$h"
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1024 ] && [ $((y + h)) -le 768 ]
}
start_program() { # start_program project [environment...]
    env "${@:2}" "$program" "$1" > "$tour/program.log" 2>&1 &
    program_pid=$!
    main_window > /dev/null
    sleep 1.5
    focus_main
}
stop_program() {
    focus_main
    keys alt+f x
    # The save-changes query, when one comes: No.
    if wait_box 2; then keys n; fi
    for _ in $(seq 50); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$program_pid" 2>/dev/null; then
        echo "FAIL  the program did not end on File > Exit"
        failures=$((failures + 1))
        kill "$program_pid" 2>/dev/null || true
    fi
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
}
unit_line() { sed -n 2p "$1" | awk '{print $1}'; }

# ---- the tour of every example
projects=$tour/projects
mkdir -p "$projects"
cp "$root"/examples/*.vrd "$projects/"
for source in "$projects"/*.vrd; do
    name=$(basename "$source" .vrd)
    echo "== $name"
    start_program "$source"
    check "$name: main window inside the screen" inside_screen "$(main_window)"
    shot "$name-01-opened"

    # Data dialogs and the soil layer table, all open at once.
    keys alt+t d
    shot "$name-02-shaft-properties"
    keys alt+t l
    shot "$name-03-soil-layers"
    keys alt+t w
    keys alt+t o
    shot "$name-04-options"

    # Run, and the completion message.
    keys alt+c r
    if wait_box 60; then
        shot "$name-05-run-message"
        keys Return
        # A second box (a plot file that cannot be read) is answered too.
        if wait_box 2; then shot "$name-05b-second-message"; keys Return; fi
    else
        check "$name: the run shows its completion message" false
    fi
    check "$name: the run wrote the report" test -s "$projects/$name.vro"
    # A run that stops early (the example needs another soil layer) leaves it empty.
    check "$name: the run wrote the plot data file" test -e "$projects/$name.vrp"
    check "$name: the run wrote the run-time file" test -e "$projects/$name.vrr"
    check "$name: names.dat was removed" test ! -e "$projects/names.dat"

    # Every Graphics item, top to bottom (disabled items are skipped by the menu, so a
    # project without results reaches Load Test... at once). A dialog or message an item
    # opens is shown and closed, so that no later key goes astray.
    focus_main
    for i in $(seq 0 11); do
        xdotool key --clearmodifiers alt+g
        sleep 0.3
        for _ in $(seq "$i"); do xdotool key Down; done
        keys Return
        if wait_box 1; then
            shot "$name-06-graphics-item-$i"
            close_boxes
        fi
    done
    shot "$name-06-graphs"
    keys alt+c v
    shot "$name-07-elevation"
    keys alt+w c
    shot "$name-08-cascade"
    keys alt+w
    shot "$name-09-window-menu"
    keys Escape

    # The calculation package from this run's results, through its file dialog; a project
    # whose run could not finish its plot data gets a message instead.
    focus_main
    keys alt+f c
    if wait_box 5; then
        sleep 0.5
        shot "$name-09c-package-dialog"
        xdotool key --clearmodifiers ctrl+a
        xdotool type --delay 20 "$projects/$name.pdf"
        keys Return
        sleep 2
        if wait_box 1; then shot "$name-09d-package-message"; close_boxes; fi
    fi
    if grep -q "THE MOST EFFICIENT SHAFT" "$projects/$name.vro"; then
        check "$name: File > Export Calculation Package wrote the PDF" \
            bash -c "head -c 5 '$projects/$name.pdf' | grep -q '%PDF-'"
    fi

    # Units switched with the table and the dialogs open, then saved.
    if [ -n "$(box_window)" ]; then
        check "$name: no message or dialog left open before the unit switch" false
        shot "$name-09b-left-open"
        close_boxes
    fi
    focus_main
    before_unit=$(unit_line "$source")
    other=s
    [ "$before_unit" = "2" ] && other=e
    keys alt+t u "$other"
    shot "$name-10-units-switched"
    keys ctrl+s
    if wait_box 2; then shot "$name-10b-save-message"; keys Return; fi
    after_unit=$(unit_line "$source")
    check "$name: the saved file has the other unit system ($before_unit -> $after_unit)" \
        test "$after_unit" != "$before_unit"

    # Reopen the saved file through File > Open and its dialog.
    keys ctrl+o
    if wait_box 5; then
        sleep 0.5
        xdotool type --delay 20 "$source"
        keys Return
        sleep 1.5
    else
        check "$name: File > Open shows its dialog" false
    fi
    shot "$name-11-reopened"
    stop_program
done

# ---- the same project converted both ways comes back to its values
echo "== units round trip"
cp "$root/examples/example.vrd" "$projects/roundtrip.vrd"
start_program "$projects/roundtrip.vrd"
keys alt+t u s ctrl+s
keys alt+t u e ctrl+s
stop_program
check "roundtrip: English -> SI -> English keeps the layer depths" \
    bash -c "diff <(sed -n '5p;10p' '$root/examples/example.vrd' | awk '{print \$2}') \
                  <(sed -n '5p;10p' '$projects/roundtrip.vrd' | awk '{print \$2}' | sed 's/\\.0*\$//')"

# ---- twice the scale: every window still inside the screen, or scrolled
echo "== scale factor 2"
cp "$root/examples/example.vrd" "$projects/scaled.vrd"
start_program "$projects/scaled.vrd" QT_SCALE_FACTOR=2
check "scale 2: main window inside the screen" inside_screen "$(main_window)"
keys alt+t d
shot "scale2-01-shaft-properties"
keys alt+t l
shot "scale2-02-soil-layers"
stop_program

echo "screenshots in $tour/shots"
if [ "$failures" -gt 0 ]; then
    echo "gui-tour: $failures check(s) failed" >&2
    exit 1
fi
echo "gui-tour: all checks passed"
