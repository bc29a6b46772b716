#!/usr/bin/env bash
# Medians of `lexor-bench optimise` on 1,000,000 words with 10% repeats:
# the engine phase over 11 runs, then the whole run beside `LC_ALL=C sort -u`
# of the same words (hyperfine), then the Google Benchmark cases of the
# engine and the window when they were built.
# Usage: bench/optimise-vs-sort.sh [BUILD_DIR]   (a Release build)
set -euo pipefail
build=${1:-build}
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
python3 - <<'PY'
import json
for r in json.load(open("times.json"))["results"]:
    print(f"median {r['median'] * 1000:7.1f} ms  {r['command']}")
PY

if [ -n "$gbench" ] && [ -x "$gbench" ]; then
  "$gbench" --benchmark_report_aggregates_only=true 2>/dev/null | grep -E 'median|Benchmark'
fi
