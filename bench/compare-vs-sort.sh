#!/usr/bin/env bash
# Medians of `lexor-bench compare` on two 1,000,000-word dictionaries that
# differ by 1% (10,000 words missing, 10,000 added): each phase over 11 runs,
# then the whole run beside `LC_ALL=C sort` of both files plus `comm -13` and
# `comm -23` (hyperfine) with their ratio (goal 0.35), then the engine alone,
# the window's CONFRONTA and the window's load against the core's read and
# sort of the same file (Google Benchmark; goal 1.1). Files in shuffled order
# unless "sorted" is given. The words come from the system's word lists
# (see WordCorpus.h).
# Usage: bench/compare-vs-sort.sh [BUILD_DIR [sorted]]   (a Release build)
set -euo pipefail
build=${1:-build}
here=$(dirname "$(realpath "$0")")
order=${2:-}
bench=$(realpath "$build/bench/lexor-bench")
gbench=$(realpath "$build/bench/compare-benchmarks")
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

hyperfine -N -w 2 -r 11 --export-json times.json \
  "$bench compare orig.lexor mod.lexor out" \
  "sh -c 'LC_ALL=C sort orig.lexor > a; LC_ALL=C sort mod.lexor > b; LC_ALL=C comm -13 a b > added; LC_ALL=C comm -23 a b > missing'" >/dev/null
python3 "$here/ratios.py" times.json 0.35

if [ -x "$gbench" ]; then
  "$gbench" --benchmark_report_aggregates_only=true --benchmark_format=json 2>/dev/null >gbench.json
  python3 "$here/ratios.py" gbench.json 1.1 BM_Tool1Load BM_CoreReadSort
fi
