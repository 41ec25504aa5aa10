#!/usr/bin/env bash
# Builds the Windows program for 32 and 64 bits, checks the products of both
# and runs the 64-bit tests under Wine (Xvfb, virtual desktop, one wineserver).
# Works as root on a fresh Debian 12 machine: installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh

scripts/ensure-packages.sh cmake ninja-build googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64 icoutils \
    libcli11-dev nlohmann-json3-dev
install_wine_packages

for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

# check_program EXE PE_FORMAT: the machine type, and no DLL beyond Windows' own.
check_program() {
    local objdump=x86_64-w64-mingw32-objdump dlls dll
    "$objdump" -f "$1" | grep -q "file format $2" || { echo "$1 is not $2" >&2; return 1; }
    dlls=$("$objdump" -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort -u)
    for dll in $dlls; do
        case "$dll" in
            kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|comdlg32.dll|msvcrt.dll|advapi32.dll|shell32.dll) ;;
            *) echo "$1 needs $dll, which is not part of Windows" >&2; return 1 ;;
        esac
    done
    echo "$1: $2, Windows DLLs only ($(echo $dlls))"
}

# check_products BUILD_DIR PE_FORMAT MANIFEST_ARCH
check_products() {
    local exe="$1/app/Veltrane.exe"
    check_program "$exe" "$2"
    check_program "$1/cli/veltrane-cli.exe" "$2"
    local resources
    resources=$(wrestool -l "$exe")
    local expected
    for expected in "--type=5 --name=100 --language=1033" "--type=5 --name=102 --language=1033" \
                    "--type=6 --name=7 --language=1033" "--type=16 --name=1 --language=1033" \
                    "--type=24 --name=1 --language=1033" "--type=14 --name=128 --language=1035"; do
        grep -q -- "$expected" <<<"$resources" \
            || { echo "$exe lacks the resource $expected" >&2; return 1; }
    done
    [ "$(grep -c -- '--type=3 ' <<<"$resources")" -eq 9 ] \
        || { echo "$exe does not hold nine icon images" >&2; return 1; }
    wrestool -x --raw --type=24 --name=1 "$exe" | grep -q "processorArchitecture=\"$3\"" \
        || { echo "$exe's manifest does not name $3" >&2; return 1; }
    echo "$exe: resources and $3 manifest present"
}
check_products build/win32 pei-i386 X86
check_products build/win64 pei-x86-64 amd64

trap stop_wine_session EXIT
start_wine_session
ctest --preset win64 "$@"
