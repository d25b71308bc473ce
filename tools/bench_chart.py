#!/usr/bin/env python3
"""Draws the side-by-side ratios of a scripts/bench run as one chart.

Usage: bench_chart.py BENCH.log CHART.png

Each bar is how many times faster the library's code ran than the code beside
it in the same run (1 = as fast): the frame against the hand-written copy, TGA
decoding against stb_image, the region scan against pixman's route, the vertex
wrapper against the bare call (plain mode) and against its arithmetic floor (edit
mode). Figures are read from the programs' own lines, as scripts/bench prints them.
"""
import re
import sys

import matplotlib
import matplotlib.ticker

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402  (after the back end is chosen)


def ratios(text):
    found = []
    arch = ""
    times = {}
    for line in text.splitlines():
        heading = re.match(r"== demo frame, library against hand-written calls \((\w+)\)", line)
        if heading:
            arch = heading.group(1)
        frame = re.match(r"frame rate ratio library / hand-written: ([\d.]+) overall, ([\d.]+) median", line)
        if frame:
            found.append((f"demo frame, {arch}: library vs hand-written", float(frame.group(2))))
        tga = re.match(r"(\d+-bit (?:RLE|raw))\s+[\d.]+ms\s+[\d.]+ms\s+[\d.]+ms\s+([\d.]+)x", line)
        if tga:
            found.append((f"TGA {tga.group(1)}: LOADTGA vs stb_image", float(tga.group(2))))
        scan = re.match(r"(solid|sprite|text|checker)\s+(\d+)\s+\d+\s+[\d.]+ms\s+[\d.]+ms\s+[\d.]+ms\s+([\d.]+)x", line)
        if scan:
            found.append((f"region scan {scan.group(1)} {scan.group(2)}²: vs pixman", float(scan.group(3))))
        benchmark = re.match(r"(BM_\w+)\s+([\d.]+) ns", line)
        if benchmark:
            times[benchmark.group(1)] = float(benchmark.group(2))
    for ours, theirs, label in (("BM_PlainMode", "BM_BareCall", "vertex wrapper, plain: vs bare call"),
                                ("BM_EditMode", "BM_EditArithmeticFloor", "vertex wrapper, edit: vs its floor")):
        if ours in times and theirs in times:
            found.append((label, times[theirs] / times[ours]))
    return found


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8", errors="replace") as log:
        found = ratios(log.read())
    if not found:
        sys.exit(f"{sys.argv[1]}: no side-by-side figures in it")
    labels = [label for label, _ in found]
    values = [value for _, value in found]
    figure, axes = plt.subplots(figsize=(8, 0.28 * len(found) + 1.2))
    axes.barh(range(len(found)), values, color=["#4a7" if v >= 1 else "#c64" for v in values])
    axes.axvline(1, color="black", linewidth=0.8)
    axes.set_xscale("log")
    axes.set_xticks([0.25, 0.5, 1, 2, 4, 8], ["0.25", "0.5", "1", "2", "4", "8"])
    axes.xaxis.set_minor_formatter(matplotlib.ticker.NullFormatter())
    axes.set_xlim(min(0.2, min(values) / 1.5), max(10, max(values) * 1.5))
    axes.set_yticks(range(len(found)), labels, fontsize=8)
    axes.invert_yaxis()
    axes.set_xlabel("times as fast as the code beside it (log scale; 1 = as fast)")
    for row, value in enumerate(values):
        axes.text(value, row, f" {value:.2f}", va="center", fontsize=7)
    figure.tight_layout()
    figure.savefig(sys.argv[2], dpi=100)


main()
