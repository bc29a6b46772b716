#!/usr/bin/env bash
# Medians of `lexor-bench compare` on two 1,000,000-word dictionaries that
# differ by 1% (10,000 words missing, 10,000 added): each phase over 11 runs,
# then the whole run beside `LC_ALL=C sort` of both files plus `comm -13` and
# `comm -23` (hyperfine), then the engine alone and the window (Google
# Benchmark). Files in shuffled order unless "sorted" is given.
# Usage: bench/compare-vs-sort.sh [BUILD_DIR [sorted]]   (a Release build)
set -euo pipefail
build=${1:-build}
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
python3 - <<'PY'
import json
for r in json.load(open("times.json"))["results"]:
    print(f"median {r['median'] * 1000:7.1f} ms  {r['command']}")
PY

if [ -x "$gbench" ]; then
  "$gbench" --benchmark_report_aggregates_only=true 2>/dev/null | grep -E 'median|Benchmark'
fi
