#!/usr/bin/env bash
# Screenshots of the main dialog and the About box under Wine's virtual
# desktop on Xvfb, written to docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh

scripts/ensure-packages.sh cmake ninja-build googletest g++-mingw-w64-x86-64 imagemagick xdotool
install_wine_packages
if [ ! -f build/win64/app/Veltrane.exe ]; then
    cmake --preset win64 >/dev/null
    cmake --build --preset win64 --target Veltrane
fi

shots=$(mktemp -d)
trap 'stop_wine_session; rm -rf "$shots"' EXIT
start_wine_session

# shoot NAME: the whole virtual display.
shoot() { import -window root "$shots/$1.png"; }
# Waits until the display differs from the picture named $1.
wait_for_change() {
    local tries=0
    while [ $tries -lt 100 ]; do
        sleep 0.2
        shoot now
        [ "$(compare -metric AE "$shots/$1.png" "$shots/now.png" null: 2>&1 || true)" != 0 ] && return 0
        tries=$((tries + 1))
    done
    echo "nothing changed on the display" >&2
    return 1
}

# Keyboard input goes to the window under the pointer: the virtual desktop.
xdotool mousemove 512 384
shoot desktop
"$WINE64" build/win64/app/Veltrane.exe &
wait_for_change desktop
sleep 1
shoot main
# The desktop is one colour: trimming it leaves the dialog.
convert "$shots/main.png" -trim +repage docs/main-dialog.png

# Alt+Space opens the system menu; its last item is the About box.
xdotool key alt+space
sleep 0.5
xdotool key Up Return
wait_for_change main
sleep 1
shoot about
# The same picture with the About box closed and the main dialog inactive,
# as it is behind the box: what differs is the box.
xdotool key Escape
sleep 0.5
xdotool mousemove 5 5 click 1
sleep 1
shoot behind
box=$(convert "$shots/about.png" "$shots/behind.png" -compose difference -composite -trim -format '%wx%h%X%Y' info:)
convert "$shots/about.png" -crop "$box" +repage docs/about-box.png
xdotool mousemove 512 384 key Escape
sleep 1

# The sample model opened, and then one Change. The focus starts in the
# source box; the Open button is four tabs on, and back from it four
# Shift+Tabs reach the source box again.
"$WINE64" build/win64/app/Veltrane.exe &
wait_for_change desktop
sleep 1
shoot fresh
xdotool key Tab Tab Tab Tab space
wait_for_change fresh
sleep 1
xdotool type --delay 30 "Z:${PWD//\//\\}\\samples\\crate.p3d"
xdotool key Return
sleep 1.5
shoot loaded
convert "$shots/loaded.png" -trim +repage docs/main-dialog-crate.png
xdotool key shift+Tab shift+Tab shift+Tab shift+Tab
xdotool type --delay 30 'data\'
xdotool key Tab
xdotool type --delay 30 'data\crates\'
xdotool key Tab space
sleep 1.5
shoot changed
convert "$shots/changed.png" -trim +repage docs/main-dialog-changed.png
xdotool key Escape
echo "Wrote docs/main-dialog.png, docs/about-box.png, docs/main-dialog-crate.png and docs/main-dialog-changed.png"
