#!/usr/bin/env python3
"""Runs render_bench once and prints megapixels per second with the ratios the painters are
held to, each against its yardstick from the same run (medians of the repetitions).

Usage: compare.py [build dir]   (default build/bench)
"""
import json
import subprocess
import sys

build = sys.argv[1] if len(sys.argv) > 1 else "build/bench"
program = f"{build}/bench/render/render_bench"
# Repetitions interleaved at random, so that a burst of load on a shared machine falls on ours
# and the yardstick alike rather than on one of them.
run = subprocess.run([program, "--benchmark_format=json", "--benchmark_repetitions=5",
                      "--benchmark_enable_random_interleaving=true",
                      "--benchmark_report_aggregates_only=true", "--benchmark_min_time=0.2"],
                     check=True, capture_output=True, text=True)
rates = {}
times = {}
for b in json.loads(run.stdout)["benchmarks"]:
    if b.get("aggregate_name") != "median":
        continue
    name = b["run_name"]
    rates[name] = b["Mpix/s"] / 1e6 if b["Mpix/s"] > 1e5 else b["Mpix/s"]
    times[name] = b["cpu_time"]

print(f"{'benchmark':34} {'Mpix/s':>10}")
# Interleaved runs come back shuffled: list them by benchmark, then by size.
for name in sorted(rates, key=lambda n: (n.split("/")[0], int(n.split("/")[1]))):
    print(f"{name:34} {rates[name]:10.1f}")

# (ours, yardstick, goal, goal is a floor on ours / yardstick)
checks = [
    ("BM_FillRectOpaque", "BM_Memcpy", 1 / 1.1),
    ("BM_BlendPart", "BM_PixmanOverRandom", 1.3),
    ("BM_CopyAlphaCompositeRandom", "BM_PixmanOverRandom", 0.7),
    ("BM_CopyAlphaCompositeUiLike", "BM_PixmanOverUiLike", 0.85),
    ("BM_StretchNearest", "BM_PixmanNearestUp", None),
    ("BM_ResampleTriangleUp", "BM_PixmanBilinearUp", None),
    ("BM_ResampleMitchellUp", "BM_PixmanConvolutionUp", 5.0),
    ("BM_ResampleMitchellDown", "BM_PixmanConvolutionDown", 5.0),
]
print()
print(f"{'ratio (speed of ours / yardstick)':60} {'64':>6} {'256':>6} {'1024':>6}  goal at 256")
for ours, yardstick, goal in checks:
    cells = []
    for size in (64, 256, 1024):
        a, b = rates.get(f"{ours}/{size}"), rates.get(f"{yardstick}/{size}")
        cells.append(f"{a / b:6.2f}" if a and b else "     -")
    goal_text = f">= {goal:.2f}" if goal else ""
    print(f"{ours + ' / ' + yardstick:60} {' '.join(cells)}  {goal_text}")
for state in (0, 1):
    name = f"BM_BorderCreateFolders/{state}"
    if name in times:
        print(f"Create Folders border, state {state}: {times[name] / 1000:.2f} us (goal < 20 us)")
