#!/usr/bin/env python3
"""Prints the chart's times against QCustomPlot's from chart_bench's JSON output.

    live_ratios.py RESULTS.json [MORE.json ...]

Each case pairs a ZephChart benchmark with the QCustomPlot one that does the same work; a row per
point count and device pixel ratio gives both wall times (the median of the repetitions where
there are several), their ratio against its target, and the spread of the repetitions
(coefficient of variation, or the number of runs where a case too slow to repeat ran once), which
on a shared machine says how far to trust the row, and the ratio
of processor times, which waiting for a shared processor does not change. Resident bytes a point
follow, from the load and the 100M-point cases.

Given the results of several runs of the program, each comparing both libraries in its own process,
a row gives the median of the runs' times and of their ratios, and the lowest and highest ratio: on
a shared machine one run as a whole can be slow or fast for one library more than for the other.
"""
import json
import re
import sys

# (case, ZephChart benchmark, QCustomPlot benchmark, target ratio at most)
CASES = [
    ("live frame, DrawTo", "BM_LiveFrame_Zeph_DrawTo", "BM_LiveFrame_QCustomPlot", 0.5),
    ("live frame, bulk", "BM_LiveFrame_Zeph_Bulk", "BM_LiveFrame_QCustomPlot", 0.5),
    ("live frame, fixed history", "BM_LiveFixed_Zeph", "BM_LiveFixed_QCustomPlot", 0.5),
    ("pan all visible, DrawTo", "BM_LivePan_Zeph_DrawTo", "BM_LivePan_QCustomPlot", 0.1),
    ("pan all visible, bulk", "BM_LivePan_Zeph_Bulk", "BM_LivePan_QCustomPlot", 0.1),
    ("zoom all visible, DrawTo", "BM_LiveZoom_Zeph_DrawTo", "BM_LiveZoom_QCustomPlot", 0.1),
    ("zoom all visible, bulk", "BM_LiveZoom_Zeph_Bulk", "BM_LiveZoom_QCustomPlot", 0.1),
    ("pan 100M, DrawTo", "BM_HugePan_Zeph_DrawTo", "BM_HugePan_QCustomPlot", 0.05),
    ("zoom 100M, DrawTo", "BM_HugeZoom_Zeph_DrawTo", "BM_HugeZoom_QCustomPlot", 0.05),
    ("load + show, DrawTo", "BM_LiveLoad_Zeph_DrawTo", "BM_LiveLoad_QCustomPlot", 1.0),
    ("load + show, bulk", "BM_LiveLoad_Zeph_Bulk", "BM_LiveLoad_QCustomPlot", 0.5),
    ("slider step", "BM_SliderStep_Zeph", "BM_SliderStep_QCustomPlot", 0.25),
]
# Anti-aliased, the frames and repaints are measured against a ratio of 1: as fast as QCustomPlot.
ANTIALIASED_TARGETS = {"live frame, DrawTo": 1.0, "live frame, bulk": 1.0, "live frame, fixed history": 1.0,
                       "pan all visible, DrawTo": 1.0, "pan all visible, bulk": 1.0,
                       "zoom all visible, DrawTo": 1.0, "zoom all visible, bulk": 1.0}
MEMORY = [
    ("load, DrawTo", "BM_LiveLoad_Zeph_DrawTo", "BM_LiveLoad_QCustomPlot"),
    ("load, bulk", "BM_LiveLoad_Zeph_Bulk", "BM_LiveLoad_QCustomPlot"),
    ("shown whole, DrawTo", "BM_LivePan_Zeph_DrawTo", "BM_LivePan_QCustomPlot"),
    ("100M curve, DrawTo", "BM_HugePan_Zeph_DrawTo", "BM_HugePan_QCustomPlot"),
]
# Cases whose memory was read once, when their scene was built at ratio 1 with the widget itself
# (its images) counted; the scene's frames at other ratios carry the same reading.
MEMORY_AT_RATIO_ONE = {"BM_LivePan_Zeph_DrawTo", "BM_HugePan_Zeph_DrawTo"}
MEMORY_TARGET = 17.0
TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
NAME = re.compile(r"^(BM_\w+?)((?:/\d+)*)(?:/[a-z_]+:[^/]*|/manual_time|/real_time)*$")


def split_name(run_name):
    """The benchmark's function name and its arguments ("/10000000/150")."""
    match = NAME.match(run_name)
    return (match.group(1), match.group(2)) if match else (run_name, "")


def collect(benchmarks):
    """Per (function, arguments): wall time in ms, its spread and the counters."""
    results = {}
    repetitions = {}
    for bench in benchmarks:
        if bench.get("error_occurred"):
            continue  # a repetition left out, see skipped
        key = split_name(bench.get("run_name", bench["name"]))
        counters = {k: v for k, v in bench.items() if k in ("bytes_per_point",)}
        unit = TO_MS[bench.get("time_unit", "ns")]
        ms = bench["real_time"] * unit
        cpu = bench["cpu_time"] * unit
        if bench.get("run_type") == "aggregate":
            entry = results.setdefault(key, {})
            name = bench.get("aggregate_name")
            if name == "median":
                entry["ms"] = ms
                entry["cpu"] = cpu
                entry.update(counters)
            elif name == "cv":
                entry["cv"] = bench["real_time"]
        else:
            repetitions.setdefault(key, []).append((ms, cpu, counters))
    for key, runs in repetitions.items():
        entry = results.setdefault(key, {})
        entry["worst"] = max(run[0] for run in runs)
        entry["runs"] = len(runs)
        if "ms" not in entry:
            entry["ms"] = sorted(run[0] for run in runs)[len(runs) // 2]
            entry["cpu"] = sorted(run[1] for run in runs)[len(runs) // 2]
            entry.update(runs[-1][2])
    return results


def describe(args):
    parts = [int(a) for a in args.strip("/").split("/") if a]
    points = next((p for p in parts[:-1]), None)
    ratio = parts[-1] / 100 if parts else 1.0
    size = "" if points is None else (f"{points // 1000000}M" if points >= 1000000 else str(points))
    return size, ratio


def median(values):
    ordered = sorted(values)
    return ordered[len(ordered) // 2] if len(ordered) % 2 else (ordered[len(ordered) // 2 - 1] +
                                                                 ordered[len(ordered) // 2]) / 2


def by_arguments(key):
    return [int(a) for a in key[1].split("/") if a]


def main():
    if len(sys.argv) < 2:
        sys.exit("usage: live_ratios.py RESULTS.json [MORE.json ...]")
    runs = []
    drawings = set()
    for path in sys.argv[1:]:
        with open(path, encoding="utf-8") as file:
            results = json.load(file)
        runs.append(collect(results["benchmarks"]))
        drawings.add(results.get("context", {}).get("drawing", "unknown"))
    if len(drawings) > 1:
        sys.exit("live_ratios.py: the runs drew differently (" + ", ".join(sorted(drawings)) + ")")
    several = len(runs) > 1

    drawing = drawings.pop()
    print(f"both libraries {drawing}, each frame ending with the widget's paint")

    print(f"{'case':<26} {'points':>6} {'dpr':>5} {'ZephChart ms':>13} {'QCustomPlot ms':>15} "
          f"{'Zeph/QCP':>9} {'target':>7}  {'cv Zeph/QCP' if not several else 'ratio range':>12} {'CPU ratio':>9}")
    keys = sorted({key for results in runs for key in results}, key=by_arguments)
    for case, ours, theirs, target in CASES:
        if drawing == "anti-aliased":
            target = ANTIALIASED_TARGETS.get(case, target)
        for name, args in keys:
            if name != ours:
                continue
            # Each run's pair, where the run has both sides.
            pairs = [(results[(ours, args)], results[(theirs, args)]) for results in runs
                     if (ours, args) in results and (theirs, args) in results and
                     "ms" in results[(ours, args)] and results[(theirs, args)].get("ms", 0) > 0]
            if not pairs:
                continue
            ratios = [entry["ms"] / other["ms"] for entry, other in pairs]
            ratio = median(ratios)
            ours_ms = median(entry["ms"] for entry, _ in pairs)
            theirs_ms = median(other["ms"] for _, other in pairs)
            cpu_ratio = median(entry["cpu"] / other["cpu"] if other.get("cpu", 0) > 0 else float("nan")
                               for entry, other in pairs)
            if several:
                spread = f"{min(ratios):.3f}-{max(ratios):.3f}"
            else:
                spread = "/".join(f"{side['cv'] * 100:.0f}%" if "cv" in side else f"{side.get('runs', 1)} run"
                                  for side in pairs[0])
            size, dpr = describe(args)
            verdict = "met" if ratio <= target else "MISSED"
            print(f"{case:<26} {size:>6} {dpr:>5} {ours_ms:>13.3f} {theirs_ms:>15.3f} {ratio:>9.3f} "
                  f"{target:>7.2f}  {spread:>12} {cpu_ratio:>9.3f}  {verdict}")
            if ours.startswith("BM_LiveLoad") and all("worst" in side for pair in pairs for side in pair):
                # A load into memory the process never had before can take far longer than the median.
                print(f"{'  slowest repetition':<26} {'':>6} {'':>5} {max(p[0]['worst'] for p in pairs):>13.3f} "
                      f"{max(p[1]['worst'] for p in pairs):>15.3f}")

    print()
    print(f"{'resident bytes a point':<26} {'points':>6} {'dpr':>5} {'ZephChart':>13} {'QCustomPlot':>15}")
    for case, ours, theirs in MEMORY:
        for name, args in sorted(keys, key=lambda key: key[1]):
            entries = [results[(name, args)] for results in runs
                       if (name, args) in results and "bytes_per_point" in results[(name, args)]]
            if name != ours or not entries:
                continue
            others = [results[(theirs, args)]["bytes_per_point"] for results in runs
                      if "bytes_per_point" in results.get((theirs, args), {})]
            size, dpr = describe(args)
            if ours in MEMORY_AT_RATIO_ONE:
                if float(dpr) != 1.0:
                    continue
                dpr = "1.0*"
            # Memory is no matter of chance: the worst run counts.
            bytes_per_point = max(entry["bytes_per_point"] for entry in entries)
            verdict = "met" if bytes_per_point <= MEMORY_TARGET else "MISSED"
            theirs_bytes = f"{max(others):.1f}" if others else "-"
            print(f"{case:<26} {size:>6} {dpr:>5} {bytes_per_point:>13.1f} {theirs_bytes:>15}  "
                  f"(target at most {MEMORY_TARGET:.0f}) {verdict}")
    print("* read once, when the scene was built at ratio 1, the widget and its images included; the loads")
    print("  at each ratio count what the points and their first showing add to a widget already painted")


if __name__ == "__main__":
    main()
