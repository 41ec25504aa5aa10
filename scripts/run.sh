#!/usr/bin/env bash
# Starts Veltrane.exe under Wine, building it first when needed. Without a
# display it says so and shows the command-line tool instead.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh

if [ -z "${DISPLAY:-}" ]; then
    echo "No display (DISPLAY is not set): showing the command-line tool instead of the dialog."
    if [ ! -x build/linux/cli/veltrane-cli ] && [ -d cli ]; then
        scripts/ensure-packages.sh cmake ninja-build g++ libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev
        cmake --preset linux >/dev/null && cmake --build --preset linux --target veltrane-cli >/dev/null
    fi
    if [ -x build/linux/cli/veltrane-cli ]; then
        exec build/linux/cli/veltrane-cli list samples/crate.p3d
    fi
    echo "Texture paths in samples/crate.p3d (the command-line tool is not built yet):"
    grep -aoE '[[:alnum:]_\\/.-]+\.pa[ac]' samples/crate.p3d | sort -fu
    exit 0
fi

scripts/ensure-packages.sh cmake ninja-build googletest g++-mingw-w64-x86-64
install_wine_packages
if [ ! -f build/win64/app/Veltrane.exe ]; then
    cmake --preset win64 >/dev/null
    cmake --build --preset win64 --target Veltrane
fi
prepare_wine_prefix
exec "$WINE64" build/win64/app/Veltrane.exe
