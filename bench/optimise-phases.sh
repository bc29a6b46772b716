#!/usr/bin/env bash
# Where the time of an optimisation goes: medians over 11 runs of each phase
# of `lexor-bench optimise` on 1,000,000 words with 10% repeats, then the
# Google Benchmark cases when they were built: the duplicate removal alone,
# the window's OTTIMIZZA and the window's load beside the core's read and
# sort. The goals are measured by bench/goals.py.
# Usage: bench/optimise-phases.sh [BUILD_DIR]   (a Release build)
set -euo pipefail
build=${1:-build}
bench=$(realpath "$build/bench/lexor-bench")
gbench=$(realpath "$build/bench/optimise-benchmarks" 2>/dev/null || true)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$bench" optimise-data words.lexor 1000000 10

for _ in $(seq 11); do
  "$bench" optimise words.lexor out.lexor
done | tee runs.txt | tail -3
echo "median of 11 runs (ms):"
for phase in read remove write total; do
  sed -n "s/.*$phase \([0-9.]*\) ms.*/\1/p" runs.txt | sort -n | sed -n 6p | sed "s/^/  $phase /"
done

if [ -n "$gbench" ] && [ -x "$gbench" ]; then
  "$gbench" --benchmark_report_aggregates_only=true 2>/dev/null
fi
