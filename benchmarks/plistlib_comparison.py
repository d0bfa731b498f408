#!/usr/bin/env python3
"""Times Python's plistlib on the same four trees as the property-list
benchmark and prints how many times faster our codec is at each.

    python3 benchmarks/plistlib_comparison.py build [--minimum 20]

The benchmark binary writes the trees, encoded by our codec, and times our
encoder and decoder on them; this script decodes and re-encodes each file
with plistlib, checks that plistlib writes back the very same bytes, and
exits 1 when a ratio falls below the minimum."""
import argparse
import json
import os
import plistlib
import statistics
import subprocess
import sys
import tempfile
import time

TREES = ["tenKeyDictionary", "records1k", "records100k", "nonAsciiStrings20k"]


def cpu_seconds_per_call(call, budget=0.3, repetitions=5):
    """Median CPU time of one call, over repetitions of batches that each take about `budget` seconds."""
    number = 1
    while True:
        start = time.process_time()
        for _ in range(number):
            call()
        elapsed = time.process_time() - start
        if elapsed >= budget / 4:
            break
        number *= 4
    number = max(1, int(number * budget / max(elapsed, 1e-9)))
    samples = []
    for _ in range(repetitions):
        start = time.process_time()
        for _ in range(number):
            call()
        samples.append((time.process_time() - start) / number)
    return statistics.median(samples)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--minimum", type=float, default=20.0, help="the least ratio accepted")
    options = parser.parse_args()

    binary = os.path.join(options.build, "benchmarks", "BinaryPropertyListBenchmark")
    with tempfile.TemporaryDirectory() as directory:
        results = os.path.join(directory, "ours.json")
        run = subprocess.run([binary, f"--write-trees={directory}", "--benchmark_filter=/ours$",
                              "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true",
                              f"--benchmark_out={results}", "--benchmark_out_format=json"],
                             capture_output=True, text=True)
        if run.returncode != 0:
            sys.exit(f"{binary} exited with {run.returncode}: {run.stderr[-2000:]}")
        with open(results) as f:
            ours = {}
            for run in json.load(f)["benchmarks"]:
                if run.get("aggregate_name") == "median":
                    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[run["time_unit"]]
                    ours[run["run_name"]] = run["cpu_time"] * scale
        files = {}
        for tree in TREES:
            with open(os.path.join(directory, tree + ".bplist"), "rb") as f:
                files[tree] = f.read()

    print("How many times faster our codec is than plistlib (CPU time per run):")
    failures = []
    for tree in TREES:
        data = files[tree]
        value = plistlib.loads(data, fmt=plistlib.FMT_BINARY)
        if plistlib.dumps(value, fmt=plistlib.FMT_BINARY, sort_keys=False) != data:
            failures.append(f"plistlib writes {tree} with other bytes than ours")
        theirs = {
            "encode": cpu_seconds_per_call(lambda: plistlib.dumps(value, fmt=plistlib.FMT_BINARY, sort_keys=False)),
            "decode": cpu_seconds_per_call(lambda: plistlib.loads(data, fmt=plistlib.FMT_BINARY)),
        }
        for operation, seconds in theirs.items():
            ratio = seconds / ours[f"{operation}/{tree}/ours"]
            print(f"  {operation} {tree:<20} {ratio:7.1f}x plistlib")
            if ratio < options.minimum:
                failures.append(f"{operation} {tree}: {ratio:.1f}x, below {options.minimum:g}x")
    if failures:
        sys.exit("\n".join(failures))


if __name__ == "__main__":
    main()
