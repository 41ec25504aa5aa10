#!/usr/bin/env bash
# Builds Veltrane and runs every test: the native suite, the same suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz target for 60 s,
# and the Windows builds with their tests under Wine. Installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/ensure-packages.sh cmake ninja-build g++ clang libclang-rt-14-dev \
  libgtest-dev libgmock-dev googletest libbenchmark-dev libcli11-dev nlohmann-json3-dev

run_preset() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
  ctest --preset "$1"
}

echo "== native build and tests"
run_preset linux
echo "== native tests under ASan and UBSan"
run_preset linux-sanitize
echo "== fuzzing the model walk for 60 s"
scripts/fuzz.sh 60
echo "== Windows builds and their tests under Wine"
scripts/test-windows.sh
echo "== all tests passed"
