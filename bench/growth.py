"""Growth of read + sort, compare and optimise with the number of words: a
Markdown table of medians (time and peak memory) from lexor-bench, with the
memory ceiling of a load (twice the file plus 30 MB) beside it.

    python3 bench/growth.py BUILD_DIR [RUNS [WORDS ...]]

BUILD_DIR is a Release build; RUNS (default 5) runs per cell; WORDS default
to 10,000, 100,000, 1,000,000 and 10,000,000. The dictionaries come from the
system's word lists (see WordCorpus.h) and are written to a scratch folder."""
import os
import re
import statistics
import subprocess
import sys
import tempfile

build = sys.argv[1]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
sizes = [int(w) for w in sys.argv[3:]] or [10_000, 100_000, 1_000_000, 10_000_000]
bench = os.path.realpath(os.path.join(build, "bench", "lexor-bench"))


def run(*args):
    return subprocess.run([bench, *args], check=True, capture_output=True, text=True).stdout


def medians(args, fields):
    found = {f: [] for f in fields}
    for _ in range(runs):
        out = run(*args)
        for field, pattern in fields.items():
            found[field].append(float(re.search(pattern, out).group(1)))
    return {f: statistics.median(v) for f, v in found.items()}


PEAK = r"\npeak memory ([0-9.]+) MiB"
print(f"| words | file MiB | read + sort ms | load peak MiB | ceiling MiB | compare ms | compare peak MiB "
      f"| optimise ms | optimise peak MiB |")
print("|---:|---:|---:|---:|---:|---:|---:|---:|---:|")
with tempfile.TemporaryDirectory() as work:
    def path(name):
        return os.path.join(work, name)

    os.mkdir(path("out"))
    for n in sizes:
        run("roundtrip-data", path("d.lexor"), str(n))
        run("compare-data", path("o.lexor"), path("m.lexor"), str(n), "1")
        run("optimise-data", path("w.lexor"), str(n), "10")
        mib = os.path.getsize(path("d.lexor")) / 1048576
        load = medians(["roundtrip", path("d.lexor"), path("r.lexor")],
                       {"t": r"read\+sort ([0-9.]+) ms", "m": r"load peak memory ([0-9.]+) MiB"})
        comp = medians(["compare", path("o.lexor"), path("m.lexor"), path("out")], {"t": r"total ([0-9.]+) ms", "m": PEAK})
        opt = medians(["optimise", path("w.lexor"), path("x.lexor")], {"t": r"total ([0-9.]+) ms", "m": PEAK})
        print(f"| {n:,} | {mib:.1f} | {load['t']:.1f} | {load['m']:.1f} | {2 * mib + 30e6 / 1048576:.1f} | {comp['t']:.1f} "
              f"| {comp['m']:.1f} | {opt['t']:.1f} | {opt['m']:.1f} |", flush=True)
