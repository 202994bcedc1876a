#!/usr/bin/env python3
"""Share of the word tokens of running text that word analysis reads.

Runs `pvtranslate --analyse` over one text per language and counts a word
token (letters, with inner apostrophes or hyphens) as read when one of its
readings is in the language of the text. Prints the figure per language
and the most frequent misses.

The texts are the Vim tutorials that Debian's vim-runtime installs in each
language; they are read where they are installed, not copied here.

  bench/analysis_coverage.py [--pvtranslate PROGRAM] [--data DIR] [--misses N]
"""
import argparse
import collections
import re
import subprocess
import sys

TUTOR = "/usr/share/vim/vim90/tutor/"
TEXTS = [  # language code, language number, text
    ("en", 1, TUTOR + "tutor.utf-8"),
    ("bg", 2, TUTOR + "tutor.bg.utf-8"),
    ("tr", 3, TUTOR + "tutor.tr.utf-8"),
    ("de", 4, TUTOR + "tutor.de.utf-8"),
    ("es", 5, TUTOR + "tutor.es.utf-8"),
    ("fr", 6, TUTOR + "tutor.fr.utf-8"),
    ("it", 7, TUTOR + "tutor.it.utf-8"),
]
WORD = re.compile(r"^[^\W\d_]+(?:['’-][^\W\d_]+)*$")
READING = re.compile(r"^  word .*, language (\d+) ")


def analyse(program, data, path):
    """(token, set of reading languages) for every token of the file."""
    command = [program] + (["--data", data] if data else []) + ["--analyse", path]
    out = subprocess.run(command, check=True, capture_output=True, text=True).stdout
    tokens = []
    for line in out.splitlines():
        if not line.startswith(" "):
            tokens.append((line, set()))
        elif tokens:
            m = READING.match(line)
            if m:
                tokens[-1][1].add(int(m.group(1)))
    return tokens


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pvtranslate", default="build/bin/pvtranslate")
    parser.add_argument("--data")
    parser.add_argument("--misses", type=int, default=15)
    args = parser.parse_args()
    worst = 100.0
    for code, number, path in TEXTS:
        words = [(t, langs) for t, langs in analyse(args.pvtranslate, args.data, path) if WORD.match(t)]
        misses = collections.Counter(t for t, langs in words if number not in langs)
        read = len(words) - sum(misses.values())
        share = 100.0 * read / max(1, len(words))
        worst = min(worst, share)
        top = ", ".join(f"{t} {n}" for t, n in misses.most_common(args.misses))
        print(f"{code}\t{read}/{len(words)}\t{share:.1f}%\tmisses: {top}")
    return 0 if worst >= 95.0 else 1


if __name__ == "__main__":
    sys.exit(main())
