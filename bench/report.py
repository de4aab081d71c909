#!/usr/bin/env python3
"""Runs the turn benchmarks and prints, for each size of phrase base, the
milliseconds of each case, the ratio of each turn to one load of Words.Dat
(and of the learning turn to one load and one save), and peak memory.

    bench/report.py [--binary build-bench/bench/sob_turn_bench] [--repetitions 3]

Build the binary first:
    cmake -S . -B build-bench -DSOB_BUILD_BENCH=ON -DSOB_BUILD_QT=OFF -DCMAKE_BUILD_TYPE=Release
    cmake --build build-bench --target sob_turn_bench
"""

import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile

SIZES = [1000, 10000, 100000]
CASES = [  # benchmark name, peak-memory case, label
    ("BM_LoadRtf", "load_rtf", "load Words.Dat (RTF)"),
    ("BM_LoadRtfFresh", None, "load into an empty list"),
    ("BM_LoadPlain", "load_plain", "load Words.Dat (plain)"),
    ("BM_LoadUnchanged", None, "load Words.Dat, unchanged"),
    ("BM_Save", "save", "save Words.Dat (RTF)"),
    ("BM_KeywordTurn", "keyword", "turn: keyword near the end"),
    ("BM_BranchTurn", "branch", "turn: pending branch"),
    ("BM_LongPhraseTurn", "long_phrase", "turn: 110-character phrase"),
    ("BM_LearningTurn", "learning", "turn: learning"),
    ("BM_KeywordTurnAfterOtherCopy", None, "keyword turn, other copy wrote"),
    ("BM_LearningTurnAfterOtherCopy", None, "learning turn, other copy wrote"),
]
TURNS = ["BM_KeywordTurn", "BM_BranchTurn", "BM_LongPhraseTurn", "BM_KeywordTurnAfterOtherCopy"]
LEARNING = ["BM_LearningTurn", "BM_LearningTurnAfterOtherCopy"]


def run_benchmarks(binary, repetitions):
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        command = [binary, "--benchmark_out=" + out.name, "--benchmark_out_format=json"]
        if repetitions > 1:
            command += ["--benchmark_repetitions=%d" % repetitions,
                        "--benchmark_report_aggregates_only=true"]
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        data = json.load(open(out.name))
    results = {}  # (name, size) -> (real ms, cpu ms)
    for b in data["benchmarks"]:
        if b.get("error_occurred"):
            sys.exit("benchmark %s failed: %s" % (b["name"], b.get("error_message")))
        if repetitions > 1 and b.get("aggregate_name") != "median":
            continue
        parts = b["run_name"].split("/")
        scale = {"ms": 1.0, "us": 1e-3, "ns": 1e-6, "s": 1e3}[b["time_unit"]]
        results[(parts[0], int(parts[1]))] = (b["real_time"] * scale, b["cpu_time"] * scale)
    return results, data.get("context", {})


def peak_memory(binary, size):
    """Peak resident memory (KiB) of each case run alone in a fresh process."""
    folder = tempfile.mkdtemp(prefix="sob-peak-")
    try:
        subprocess.run([binary, "--generate=%s:%d" % (folder, size)], check=True)
        rtf_size = os.path.getsize(os.path.join(folder, "Base", "Words.Dat"))
        peaks = {}
        for _, case, _ in CASES:
            if case is None:
                continue
            child = subprocess.Popen([binary, "--peak=%s:%s" % (case, folder)],
                                     stdout=subprocess.PIPE, text=True)
            output = child.stdout.read()
            _, status, usage = os.wait4(child.pid, 0)
            if status != 0:
                sys.exit("peak run of %s failed" % case)
            reported = json.loads(output.strip().splitlines()[-1])
            peaks[case] = (reported["peak_kib"], reported["baseline_kib"], usage.ru_maxrss)
        return rtf_size, peaks
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--binary", default=os.path.join(here, "..", "build-bench", "bench", "sob_turn_bench"))
    parser.add_argument("--repetitions", type=int, default=3)
    parser.add_argument("--no-memory", action="store_true", help="skip the peak-memory runs")
    args = parser.parse_args()
    binary = os.path.abspath(args.binary)
    if not os.access(binary, os.X_OK):
        sys.exit("no benchmark binary at %s (see --help)" % binary)

    results, context = run_benchmarks(binary, args.repetitions)
    load_avg = context.get("load_avg", [])
    print("sobesednik turn benchmarks: %s CPUs, load average %s, median of %d"
          % (context.get("num_cpus", "?"), " ".join("%.1f" % x for x in load_avg), args.repetitions))
    goals = []
    for size in SIZES:
        rtf_size, peaks = (None, {}) if args.no_memory else peak_memory(binary, size)
        load_real, load_cpu = results[("BM_LoadRtf", size)]
        save_real, save_cpu = results[("BM_Save", size)]
        print()
        header = "%d lines" % size
        if rtf_size:
            header += ", Words.Dat %.1f MB as RTF" % (rtf_size / 1e6)
        print(header)
        print("  %-32s %9s %9s %10s %10s %11s" % ("case", "real ms", "CPU ms", "ratio", "ratio CPU", "peak MB"))
        for name, case, label in CASES:
            real, cpu = results[(name, size)]
            ratio = ratio_cpu = ""
            if name in TURNS:
                ratio = "%.2f x L" % (real / load_real)
                ratio_cpu = "%.2f x L" % (cpu / load_cpu)
            elif name in LEARNING:
                ratio = "%.2f x L+S" % (real / (load_real + save_real))
                ratio_cpu = "%.2f x L+S" % (cpu / (load_cpu + save_cpu))
            peak = ""
            if case in peaks:
                peak_kib, _, _ = peaks[case]
                peak = "%.1f (%.2f x)" % (peak_kib / 1024, peak_kib * 1024 / rtf_size)
            print("  %-32s %9.2f %9.2f %10s %10s %11s" % (label, real, cpu, ratio, ratio_cpu, peak))
        if size == SIZES[-1]:
            for name in TURNS:
                real = results[(name, size)][0]
                goals.append(("%s <= 1.5 x load" % name, real <= 1.5 * load_real))
            for name in LEARNING:
                learning = results[(name, size)][0]
                goals.append(("%s <= 2 x (load + save)" % name, learning <= 2 * (load_real + save_real)))
            for name in TURNS + LEARNING:
                goals.append(("%s < 100 ms" % name, results[(name, size)][0] < 100))
            if peaks:
                worst = max(p[0] for p in peaks.values())
                goals.append(("peak memory <= 3 x RTF size", worst * 1024 <= 3 * rtf_size))
    print()
    print("Goals at %d lines (real time):" % SIZES[-1])
    for text, met in goals:
        print("  %-55s %s" % (text, "met" if met else "MISSED"))


if __name__ == "__main__":
    main()
