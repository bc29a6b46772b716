"""Prints the medians of a hyperfine or Google Benchmark JSON report and the
ratio of the first case to the second against a goal.

    ratios.py REPORT GOAL [FIRST SECOND]

FIRST and SECOND name Google Benchmark cases; for hyperfine the first two
commands are taken in their order."""
import json
import sys

report = json.load(open(sys.argv[1]))
goal = float(sys.argv[2])
if "results" in report:  # hyperfine
    medians = {r["command"]: r["median"] * 1000 for r in report["results"]}
    names = list(medians)[:2]
else:  # Google Benchmark, aggregates only
    medians = {b["run_name"]: b["real_time"] for b in report["benchmarks"] if b.get("aggregate_name") == "median"}
    names = sys.argv[3:5]
for name, ms in medians.items():
    print(f"median {ms:8.1f} ms  {name}")
ratio = medians[names[0]] / medians[names[1]]
print(f"ratio {ratio:.2f} (goal {goal}): {names[0]} / {names[1]}")
