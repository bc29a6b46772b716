"""The performance goals, measured side by side in one run on a Release build:
each program against its yardstick, the two run in turn RUNS times (default
11) so a change of load hits both alike, medians compared.

    python3 bench/goals.py BUILD_DIR [RUNS]

1. A load into each tool window (offscreen, from the dialog's return until
   the window is idle again) against the core's read and sort of the same
   file, taken in turn 11 times by the window's Google Benchmark case: at
   most 1.1.
2. `lexor-bench compare` (load both, compare, save both) on 1,000,000 words
   against 1,000,000 that differ by 1%, against `LC_ALL=C sort` of both files
   plus `comm -13` and `comm -23`: at most 0.20.
3. `lexor-bench optimise` (load, remove repeats, save) on 1,000,000 words
   with 10% repeats against `LC_ALL=C sort -u`: at most 0.30.
4. `lexor-bench roundtrip` (load, save; the save flushed to disk) on
   1,000,000 words against `LC_ALL=C sort -o` and `sync` of the output: at
   most 0.35.
5. The peak memory of a load of 10,000,000 words against twice the file plus
   30 MB.

The dictionaries come from the system's word lists (see WordCorpus.h) and are
written to a scratch folder."""
import json
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

build = os.path.realpath(sys.argv[1])
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 11
bench = os.path.join(build, "bench", "lexor-bench")
MIB = 1048576


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def timed(command):
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    return (time.perf_counter() - start) * 1000


def in_turn(ours, yardstick):
    """Medians in ms of the two commands, run one after the other runs times
    after one run of each to warm the caches."""
    timed(ours)
    timed(yardstick)
    times = ([], [])
    for _ in range(runs):
        times[0].append(timed(ours))
        times[1].append(timed(yardstick))
    return statistics.median(times[0]), statistics.median(times[1])


def window_load(program, window):
    """The medians of the window's load and of the core's read and sort,
    which the benchmark takes in turn."""
    report = json.loads(run(os.path.join(build, "bench", program), f"--benchmark_filter=BM_{window}Load",
                            "--benchmark_format=json"))
    case = report["benchmarks"][0]
    return case["window_ms"], case["core_ms"]


def report(name, ours, yardstick, goal):
    ratio = ours / yardstick
    print(f"{name:44s} {ours:9.1f} {yardstick:9.1f}   {ratio:5.2f}  <= {goal:.2f}  {'met' if ratio <= goal else 'MISSED'}",
          flush=True)


print(f"load average before: {os.getloadavg()[0]:.2f}")
print(f"{'':44s} {'ours ms':>9s} {'yard ms':>9s}   ratio  goal")
with tempfile.TemporaryDirectory() as work:
    def path(name):
        return os.path.join(work, name)

    report("Tool1 load / core read and sort", *window_load("compare-benchmarks", "Tool1"), 1.1)
    report("Tool2 load / core read and sort", *window_load("optimise-benchmarks", "Tool2"), 1.1)

    os.mkdir(path("out"))
    run(bench, "compare-data", path("o.lexor"), path("m.lexor"), "1000000", "1")
    report("compare / sort both + two comm", *in_turn(
        [bench, "compare", path("o.lexor"), path("m.lexor"), path("out")],
        ["sh", "-c", f"cd {work} && LC_ALL=C sort o.lexor > a && LC_ALL=C sort m.lexor > b && "
                     "LC_ALL=C comm -13 a b > added && LC_ALL=C comm -23 a b > missing"]), 0.20)

    run(bench, "optimise-data", path("w.lexor"), "1000000", "10", path("w.txt"))
    report("optimise / sort -u", *in_turn(
        [bench, "optimise", path("w.lexor"), path("x.lexor")],
        ["sh", "-c", f"LC_ALL=C sort -u {path('w.txt')} > {path('u.txt')}"]), 0.30)

    run(bench, "roundtrip-data", path("d.lexor"), "1000000", path("d.txt"))
    report("round trip / sort -o + sync", *in_turn(
        [bench, "roundtrip", path("d.lexor"), path("r.lexor")],
        ["sh", "-c", f"LC_ALL=C sort -o {path('s.txt')} {path('d.txt')} && sync {path('s.txt')}"]), 0.35)

    run(bench, "roundtrip-data", path("big.lexor"), "10000000")
    peaks = [float(re.search(r"load peak memory ([0-9.]+) MiB", run(bench, "roundtrip", path("big.lexor"),
                                                                     path("big-out.lexor"))).group(1))
             for _ in range(3)]
    ceiling = 2 * os.path.getsize(path("big.lexor")) / MIB + 30e6 / MIB
    peak = statistics.median(peaks)
    print(f"{'10,000,000 words: load peak / ceiling (MiB)':44s} {peak:9.1f} {ceiling:9.1f}   {peak / ceiling:5.2f}"
          f"  <= 1.00  {'met' if peak <= ceiling else 'MISSED'}")
print(f"load average after: {os.getloadavg()[0]:.2f}")
