#!/usr/bin/env python3
"""Polyverba against Apertium on the same long English text.

Builds a text of WORDS words by repeating ordinary English prose that Debian
installs (the licence texts in /usr/share/common-licenses), then reports in
one run:
- the engine start time, the words per second of TranslateText into
  Bulgarian and the peak memory (bench_translate_text on the real data);
- the words per second and peak memory of `apertium -u eng-spa` on the same
  text, and its start time (the same command on an empty text), which the
  throughput figure leaves out as the engine's does.

  bench/compare_apertium.py [--bench PROGRAM] [--data DIR] [--words N]
"""
import argparse
import os
import re
import resource
import subprocess
import sys
import tempfile
import time

PROSE = ["GPL-3", "GFDL-1.3", "LGPL-2.1", "MPL-2.0", "Apache-2.0"]
LICENSES = "/usr/share/common-licenses/"
BULGARIAN = "2"  # kBulgarian


def prose_text(words):
    source = []
    for name in PROSE:
        with open(os.path.join(LICENSES, name), encoding="utf-8") as f:
            source.extend(f.read().split())
    if not source:
        sys.exit("no prose found in " + LICENSES)
    out = []
    while len(out) < words:
        out.extend(source[: words - len(out)])
    # Lines of 12 words, as paragraphs of running text would wrap.
    return "\n".join(" ".join(out[i:i + 12]) for i in range(0, len(out), 12)) + "\n"


def run_apertium(path):
    """Wall and cpu seconds (of all its processes) and the peak resident
    memory in MB of its largest process."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    with open(path, "rb") as text:
        start = time.monotonic()
        done = subprocess.run(["apertium", "-u", "eng-spa"], stdin=text,
                              stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        seconds = time.monotonic() - start
    if done.returncode != 0:
        sys.exit("apertium failed: " + done.stderr.decode(errors="replace"))
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime + after.ru_stime) - (before.ru_utime + before.ru_stime)
    return seconds, cpu, after.ru_maxrss / 1024.0


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bench", default=os.path.join(here, "..", "build", "bench", "bench_translate_text"))
    parser.add_argument("--data", default=None, help="the folder that holds DATA (default: the benchmark's)")
    parser.add_argument("--words", type=int, default=20000)
    args = parser.parse_args()

    text = prose_text(args.words)
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "prose.txt")
        empty = os.path.join(folder, "empty.txt")
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        with open(empty, "w") as f:
            f.write("\n")

        # Apertium first: the peak memory of the children is then its own.
        apertium_start, apertium_start_cpu, _ = run_apertium(empty)
        seconds, cpu, apertium_memory = run_apertium(path)

        command = [args.bench, args.data or "", "0", BULGARIAN, path]
        if not args.data:
            command[1] = os.path.join(os.path.dirname(os.path.abspath(args.bench)), "..", "bin")
        ours = subprocess.run(command, capture_output=True, text=True)
        if ours.returncode != 0:
            sys.exit("bench_translate_text failed:\n" + ours.stdout + ours.stderr)
        start, start_cpu = map(float, re.search(r"engine start: ([\d.]+) s \(cpu ([\d.]+) s\)",
                                                ours.stdout).groups())
        rate = float(re.search(r"= (\d+) words/s \(", ours.stdout).group(1))
        rate_cpu = float(re.search(r"cpu: [\d.]+ s = (\d+) words/s", ours.stdout).group(1))
        memory = float(re.search(r"peak memory: ([\d.]+) MB", ours.stdout).group(1))

    words = len(text.split())
    apertium_rate = words / max(seconds - apertium_start, 1e-9)
    apertium_rate_cpu = words / max(cpu - apertium_start_cpu, 1e-9)
    print(f"text: {words} words of English prose from {LICENSES}")
    print("wall time, and in brackets cpu time (the fairer figure on a loaded machine)")
    print(f"{'':24}{'start s':>18}{'words/s':>18}{'peak MB':>10}")
    print(f"{'Polyverba en -> bg':24}{start:>9.3f} ({start_cpu:6.3f}){rate:>9.0f} ({rate_cpu:6.0f}){memory:>10.1f}")
    print(f"{'apertium -u eng-spa':24}{apertium_start:>9.3f} ({apertium_start_cpu:6.3f})"
          f"{apertium_rate:>9.0f} ({apertium_rate_cpu:6.0f}){apertium_memory:>10.1f}")
    print(f"throughput ratio: {rate / apertium_rate:.2f} ({rate_cpu / apertium_rate_cpu:.2f} by cpu time)")


if __name__ == "__main__":
    main()
