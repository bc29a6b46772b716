#!/usr/bin/env bash
# Fuzzes the dictionary reader with libFuzzer for the given number of seconds
# (default 60), starting from tests/fuzz/corpus, on inputs of up to 64 KiB.
# Needs clang++; without it the run is skipped with a notice. Inputs that
# crash are left in build-fuzz/crashes.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build="${FUZZ_BUILD:-build-fuzz}"

if ! command -v clang++ >/dev/null 2>&1; then
    echo "SKIPPED: clang++ is not installed, the reader was not fuzzed" >&2
    exit 0
fi

cmake -S tests/fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2

# New inputs go to a working copy, so the committed seeds stay small.
mkdir -p "$build/corpus" "$build/crashes"
cp -n tests/fuzz/corpus/* "$build/corpus/"
"$build/reader_fuzzer" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/crashes/" "$build/corpus"
