#!/bin/sh
# Runs the 3DS fuzzer for SECONDS (default 1800) on one worker, seeded with
# the shared corpus and the test fixtures. Usage: run_scene3ds.sh BUILD_DIR [SECONDS]
set -eu
build=${1:?build directory}
seconds=${2:-1800}
root=$(cd "$(dirname "$0")/.." && pwd)
work="$build/fuzz-scene3ds"
mkdir -p "$work/corpus" "$work/seeds" "$work/crashes"
cp "$root"/../shared/3ds-corpus/*.3ds "$root"/../shared/3ds-corpus/*.3DS "$work/seeds/" 2>/dev/null || true
for scratch in "$root"/build-*/test-scratch; do
  cp "$scratch"/*.3ds "$work/seeds/" 2>/dev/null || true
done
exec nice -n 10 "$build/fuzz/fuzz_scene3ds" "$work/corpus" "$work/seeds" \
  -max_total_time="$seconds" -print_final_stats=1 -max_len=65536 \
  -artifact_prefix="$work/crashes/"
