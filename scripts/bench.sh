#!/usr/bin/env bash
# Builds the optimised preset and runs the benchmarks of the model image on a
# generated model of about 256 MB. The last lines set Load against the floor
# measured in the same run and the figures against their targets.
# Usage: scripts/bench.sh [benchmark options]
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset linux > /dev/null
cmake --build --preset linux --target veltrane_bench
build/linux/bench/veltrane_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
