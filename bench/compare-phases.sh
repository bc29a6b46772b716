#!/usr/bin/env bash
# Where the time of a comparison goes: medians over 11 runs of each phase of
# `lexor-bench compare` on two 1,000,000-word dictionaries that differ by 1%
# (10,000 words missing, 10,000 added), then the Google Benchmark cases when
# they were built: the engine alone, the window's CONFRONTA and the window's
# load beside the core's read and sort. Files in shuffled order unless
# "sorted" is given. The goals are measured by bench/goals.py.
# Usage: bench/compare-phases.sh [BUILD_DIR [sorted]]   (a Release build)
set -euo pipefail
build=${1:-build}
order=${2:-}
bench=$(realpath "$build/bench/lexor-bench")
gbench=$(realpath "$build/bench/compare-benchmarks" 2>/dev/null || true)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir out

"$bench" compare-data orig.lexor mod.lexor 1000000 1 $order

for _ in $(seq 11); do
  "$bench" compare orig.lexor mod.lexor out
done | tee runs.txt | tail -4
echo "median of 11 runs (ms):"
for phase in read compare clear write total; do
  sed -n "s/.*$phase \([0-9.]*\) ms.*/\1/p" runs.txt | sort -n | sed -n 6p | sed "s/^/  $phase /"
done

if [ -n "$gbench" ] && [ -x "$gbench" ]; then
  "$gbench" --benchmark_report_aggregates_only=true 2>/dev/null
fi
