#!/usr/bin/env bash
# Medians of `lexor-bench optimise` on 1,000,000 words with 10% repeats:
# the engine phase over 11 runs, then the whole run beside `LC_ALL=C sort -u`
# of the same words (hyperfine) with their ratio (goal 0.5), then the Google
# Benchmark cases when they were built: the engine, the window's OTTIMIZZA and
# the window's load against the core's read and sort of the same file (goal
# 1.1). The words come from the system's word lists (see WordCorpus.h).
# Usage: bench/optimise-vs-sort.sh [BUILD_DIR]   (a Release build)
set -euo pipefail
build=${1:-build}
here=$(dirname "$(realpath "$0")")
bench=$(realpath "$build/bench/lexor-bench")
gbench=$(realpath "$build/bench/optimise-benchmarks" 2>/dev/null || true)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$bench" optimise-data words.lexor 1000000 10 words.txt

for _ in $(seq 11); do
  "$bench" optimise words.lexor out.lexor
done | tee runs.txt | tail -3
echo "median of 11 runs (ms):"
for phase in read remove write total; do
  sed -n "s/.*$phase \([0-9.]*\) ms.*/\1/p" runs.txt | sort -n | sed -n 6p | sed "s/^/  $phase /"
done

hyperfine -N -w 2 -r 15 --export-json times.json \
  "$bench optimise words.lexor out.lexor" \
  "sh -c 'LC_ALL=C sort -u words.txt > sorted.txt'" >/dev/null
python3 "$here/ratios.py" times.json 0.5

if [ -n "$gbench" ] && [ -x "$gbench" ]; then
  "$gbench" --benchmark_report_aggregates_only=true --benchmark_format=json 2>/dev/null >gbench.json
  python3 "$here/ratios.py" gbench.json 1.1 BM_Tool2Load BM_CoreReadSort
fi
