#!/usr/bin/env bash
# Builds the fuzz preset (clang, ASan and UBSan) and runs the model image
# fuzzer for SECONDS (default 60) over a copy of the seed corpus, so that the
# committed seeds stay as they are. Fails on any finding; the input that
# caused it is left in build/fuzz/findings/.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

cmake --preset fuzz > /dev/null
cmake --build --preset fuzz --target veltrane_model_fuzzer

work=build/fuzz/run
rm -rf "$work"
mkdir -p "$work/corpus" "$work/findings"
cp fuzz/corpus/* "$work/corpus/"
build/fuzz/fuzz/veltrane_model_fuzzer \
  -max_total_time="$seconds" -timeout=10 -dict=fuzz/model.dict -print_final_stats=1 \
  -artifact_prefix="$work/findings/" "$work/corpus"
