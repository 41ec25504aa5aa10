#!/usr/bin/env bash
# Builds the 64-bit Windows program and times the refill of the main
# dialog's texture list under Wine (Xvfb, virtual desktop) on generated
# models of 1,000,000 faces with 2,000 paths and 100,000 faces with 50
# paths. Prints the figures against their targets; fails if one is missed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh

scripts/ensure-packages.sh cmake ninja-build googletest g++-mingw-w64-x86-64
install_wine_packages
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target veltrane_list_refill_timing

trap stop_wine_session EXIT
start_wine_session
"$WINE64" build/win64/bench/win/veltrane_list_refill_timing.exe
