#!/usr/bin/env bash
# Times veltrane-cli over a generated addon of 10,000 models (about 1 GB) with
# a warm page cache, side by side with reading the same files (cat of all of
# them to /dev/null), and prints the ratios. Targets: list <= 1.5 x cat,
# replace --in-place <= 3 x cat. A copy of the folder flushed to the disk shows
# what the disk alone needs to take every model's bytes. Each timing is the
# best of RUNS runs.
# Usage: scripts/bench-cli.sh [COUNT]   (RUNS=5, TMPDIR=/tmp by default)
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-10000}
runs=${RUNS:-5}
build=build/linux

cmake --preset linux >/dev/null
cmake --build --preset linux --target veltrane-cli make_bench_addon >/dev/null
cli=$build/cli/veltrane-cli

work=$(mktemp -d "${TMPDIR:-/tmp}/veltrane-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
needed=$((count * 100 * 1024 + (512 << 20)))
available=$(df --output=avail -B1 "$work" | tail -n 1)
if [ "$available" -lt "$needed" ]; then
  echo "bench-cli: $work has $((available >> 20)) MiB free, $((needed >> 20)) MiB needed" >&2
  exit 1
fi

echo "generating $count models in $work"
$build/cli/tests/make_bench_addon "$work/addon" "$count"
echo "$(du -sh "$work/addon" | cut -f1) in $(find "$work/addon" -name '*.p3d' | wc -l) models"

# What rewriting every model durably costs the disk at least: a copy of the
# folder, flushed to the device once at the end.
copy_all() { rm -rf "$work/copy"; cp -r "$work/addon" "$work/copy"; sync; }
read_all() { find "$work/addon" -name '*.p3d' -print0 | xargs -0 cat >/dev/null; }
list_all() { "$cli" list "$work/addon" >/dev/null; }
dry_run_all() { "$cli" replace --dry-run --from 'data\' --to 'myaddon\data\' --in-place "$work/addon" >/dev/null; }
# Alternating source and target, so that every run changes every file.
replace_run=0
replace_all() {
  if [ $((replace_run++ % 2)) -eq 0 ]; then
    "$cli" replace --from 'data\' --to 'myaddon\data\' --in-place "$work/addon"
  else
    "$cli" replace --from 'myaddon\data\' --to 'data\' --in-place "$work/addon"
  fi
}

now() { date +%s.%N; }
# The best wall time of $runs runs of a function, in seconds. Each run starts
# with nothing left to write back, so that no run pays for an earlier one's
# writes (or for generating the models).
best_of() {
  local best="" start end
  for _ in $(seq "$runs"); do
    sync
    start=$(now)
    "$1"
    end=$(now)
    best=$(awk -v s="$start" -v e="$end" -v b="$best" 'BEGIN { t = e - s; print (b == "" || t < b) ? t : b }')
  done
  echo "$best"
}

read_all  # warm the page cache
cat_time=$(best_of read_all)
list_time=$(best_of list_all)
dry_run_time=$(best_of dry_run_all)
replace_time=$(best_of replace_all)
copy_time=$(best_of copy_all)

report() { awk -v n="$1" -v t="$2" -v c="$cat_time" -v target="$3" \
  'BEGIN { printf "%-34s %8.3f s  %5.2f x cat%s\n", n, t, t / c, target == "" ? "" : "  (target <= " target " x)" }'; }
echo "best of $runs runs, $count models:"
report "cat of all models to /dev/null" "$cat_time" ""
report "list of the folder" "$list_time" 1.5
report "replace --dry-run of the folder" "$dry_run_time" ""
report "replace --in-place of the folder" "$replace_time" 3
report "copy of the folder, then sync" "$copy_time" ""
awk -v r="$replace_time" -v c="$copy_time" 'BEGIN { printf "replace --in-place / copy and sync: %.2f\n", r / c }'
