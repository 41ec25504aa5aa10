# Shared by the scripts that run Windows programs: packages, the Wine prefix,
# Xvfb with Wine's virtual desktop and one persistent wineserver.
# Source it from the repository root; it defines functions and exports only.

WINE64=/usr/lib/wine/wine64
export WINEDEBUG=-all
# No Mono or Gecko installers; no help viewer, so a help request fails the
# same way on every machine; no debugger, so a program that crashes ends at
# once instead of waiting for the debugger until the test times out.
export WINEDLLOVERRIDES="mscoree,mshtml=;winhlp32.exe=d;winedbg.exe=d"

# Wine, Xvfb and the packages given, those that are missing.
install_wine_packages() {
    scripts/ensure-packages.sh wine wine64 fonts-wine xvfb xauth "$@"
}

# Starts Xvfb on a free display and exports DISPLAY.
start_xvfb() {
    local displayfile
    displayfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    local tries=0
    while [ ! -s "$displayfile" ] && [ $tries -lt 100 ]; do sleep 0.1; tries=$((tries + 1)); done
    [ -s "$displayfile" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$(cat "$displayfile")"
    rm -f "$displayfile"
}

# Creates the prefix under build/ once: virtual desktop on, Wine's own fonts
# (Marlett draws the caption buttons) copied in.
prepare_wine_prefix() {
    export WINEPREFIX="$PWD/build/wine-prefix"
    if [ -d "$WINEPREFIX" ] && [ "$(stat -c %u "$WINEPREFIX")" != "$(id -u)" ]; then
        echo "$WINEPREFIX belongs to another user; removing it" >&2
        rm -rf "$WINEPREFIX"
    fi
    [ -f "$WINEPREFIX/.veltrane-ready" ] && return 0
    mkdir -p "$WINEPREFIX"
    "$WINE64" wineboot -i >/dev/null 2>&1
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.veltrane-ready"
}

# Xvfb, the prefix and a persistent wineserver; stop_wine_session undoes it.
# Wine's own services start here, so that they do not hold on to the output
# of the first program run (CTest would wait for them).
start_wine_session() {
    start_xvfb
    prepare_wine_prefix
    /usr/lib/wine/wineserver -p
    "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1
}

stop_wine_session() {
    [ -n "${WINEPREFIX:-}" ] && /usr/lib/wine/wineserver -k 2>/dev/null || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
}
