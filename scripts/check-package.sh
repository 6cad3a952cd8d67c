#!/usr/bin/env bash
# CI: builds and installs the Debian package, uses what it installed as a user would (the
# runner on an installed example in a scratch folder, the desktop program on the same
# project under a virtual display), checks that the Help documents lie where the Help menu
# looks, and removes the package again. Run as root or with sudo; CMake options may follow.
set -euo pipefail
cd "$(dirname "$0")/.."
fail() { echo "check-package: $*" >&2; exit 1; }

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
for p in xvfb openbox xdotool; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" \
        || $sudo apt-get install -y -qq --no-install-recommends "$p" > /dev/null
done

bash scripts/install-package.sh "$@"
removed=0
scratch=$(mktemp -d)
cleanup() {
    [ -n "${openbox_pid:-}" ] && kill "$openbox_pid" 2> /dev/null
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2> /dev/null
    rm -rf "$scratch"
    [ "$removed" -eq 1 ] || $sudo apt-get remove -y -qq --purge vorna > /dev/null 2>&1 || true
}
trap cleanup EXIT

version=$(sed -n 's/^project(vorna VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ "$(vorna --version)" = "vorna $version" ] || fail "vorna --version: $(vorna --version)"

# The runner on an installed example, in a folder of its own.
example=rock_socket_design_depth
cp "/usr/share/vorna/examples/$example.vrd" "$scratch/"
(cd "$scratch" && vorna "$example.vrd" > run.txt) || fail "vorna $example.vrd: $(cat "$scratch/run.txt")"
for ext in vro vrp; do
    [ -s "$scratch/$example.$ext" ] || fail "no $example.$ext"
done
grep -q "THE MOST EFFICIENT SHAFT" "$scratch/$example.vro" || fail "report incomplete"

# The engine and the Help documents where the desktop program looks for them: the engine
# beside the program, the documents in ../../share/vorna/doc from there.
program=$(readlink -f "$(command -v vornadesk)")
folder=$(dirname "$program")
[ -f "$folder/libvornacalc.so" ] || fail "no engine beside $program"
help="$folder/../../share/vorna/doc"
for doc in Vorna_2012.html Vorna_2012_Technical_Manual.html; do
    [ -s "$help/$doc" ] || fail "no $doc in $help"
    for image in $(grep -o 'src="images/[^"]*"' "$help/$doc" | sed 's/^src="//; s/"$//'); do
        [ -s "$help/$image" ] || fail "$doc shows $image, which is not installed"
    done
done
[ -f /usr/share/man/man1/vorna.1.gz ] || fail "no man page"
grep -q "MimeType=application/x-vorna-project;" /usr/share/applications/vornadesk.desktop \
    || fail "desktop entry without the project type"
if [ -f /usr/share/mime/globs2 ]; then
    grep -q "application/x-vorna-project:\*.vrd" /usr/share/mime/globs2 \
        || fail ".vrd not in the MIME database"
fi

# The desktop program opens the project and closes on the window manager's close.
# A free display number, chosen by the server.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$scratch/display" > /dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 20); do [ -s "$scratch/display" ] && break; sleep 0.5; done
[ -s "$scratch/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$scratch/display")"
openbox > /dev/null 2>&1 &
openbox_pid=$!
sleep 1
(cd "$scratch" && exec vornadesk "$example.vrd" > desk.txt 2>&1) &
desk_pid=$!
window=$(timeout 30 xdotool search --sync --name "^VORNA $version - Rock_socket_design_depth\$" | head -n 1) \
    || fail "vornadesk did not show the project: $(cat "$scratch/desk.txt")"
xdotool windowactivate --sync "$window"
xdotool key --clearmodifiers alt+F4
for _ in $(seq 30); do
    kill -0 "$desk_pid" 2> /dev/null || break
    sleep 1
done
if kill -0 "$desk_pid" 2> /dev/null; then
    kill "$desk_pid"
    fail "vornadesk did not close"
fi
wait "$desk_pid" || fail "vornadesk ended with status $?"

$sudo apt-get remove -y -qq --purge vorna > /dev/null
removed=1
[ ! -e /usr/bin/vorna ] && [ ! -e /usr/lib/vorna ] && [ ! -e /usr/share/vorna ] \
    || fail "files left after removing the package"
echo "check-package: the package vorna $version installs, runs and uninstalls"
