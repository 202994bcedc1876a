#!/usr/bin/env python3
"""Share of the word tokens of running text that word analysis reads.

Runs `pvtranslate --analyse` over the texts of each language and counts a
word token (letters only, as the tokenizer cuts them) as read when one of
its readings is in the language of the text, or, for an unknown word that
translation cuts into parts (compounds), when every part has one. Tokens
in capitals only (acronyms and key names: DNS, CTRL) are no words of the
language and are counted apart. Prints the figure per language and the
most frequent misses; exits 1 when a language of the
chosen set stays below 95%. Apart, and not in that figure, it prints how
many misses read only in another language (foreign words the text quotes,
such as English terms in an Italian message, but also chance readings of
names and commands) and the share with them counted as read.

Two sets of texts, both read where Debian's packages install them, never
copied here:
- prose (default): ordinary running text, the online help of gnupg
  (help.LL.txt) and the journal message catalogue of systemd
  (systemd.LL.catalog), stripped of their keys, headers and variables;
- tutor: the Vim tutorials of vim-runtime, full of commands and keys;
- catalogs: text held out from all tuning, the translated messages of the
  same eight program catalogues in every language (apt, libapt-pkg, bash,
  coreutils, findutils, grep, diffutils, Linux-PAM; English: their
  original messages), without format directives, options and names.

  bench/analysis_coverage.py [--texts prose|tutor|catalogs] [--pvtranslate PROGRAM] [--data DIR] [--misses N]
"""
import argparse
import collections
import gettext
import os
import re
import subprocess
import sys
import tempfile

TUTOR = "/usr/share/vim/vim90/tutor/"
GNUPG = "/usr/share/gnupg/"
CATALOG = "/usr/lib/systemd/catalog/"
LANGUAGES = [("en", 1), ("bg", 2), ("tr", 3), ("de", 4), ("es", 5), ("fr", 6), ("it", 7)]
TUTOR_TEXTS = {code: [TUTOR + ("tutor.utf-8" if code == "en" else f"tutor.{code}.utf-8")]
               for code, _ in LANGUAGES}
# German's catalogue is two messages; Bulgarian has no gnupg help.
PROSE_TEXTS = {
    "en": [GNUPG + "help.txt", CATALOG + "systemd.catalog"],
    "bg": [CATALOG + "systemd.bg.catalog"],
    "tr": [GNUPG + "help.tr.txt"],
    "de": [GNUPG + "help.de.txt", CATALOG + "systemd.de.catalog"],
    "es": [GNUPG + "help.es.txt"],
    "fr": [GNUPG + "help.fr.txt", CATALOG + "systemd.fr.catalog"],
    "it": [GNUPG + "help.it.txt", CATALOG + "systemd.it.catalog"],
}
LOCALE = "/usr/share/locale/"
CATALOGS = ["apt", "libapt-pkg6.0", "bash", "coreutils", "findutils", "grep", "diffutils", "Linux-PAM"]
# Format directives (%s, %1$s, %-10lu), options (-r, --recursive) and
# markup or names quoted in the message (<file>, 'ls', "$HOME", ${NAME}).
NOT_MESSAGE_TEXT = re.compile(r"%[-#+ 0-9.$*]*[hlLqjzt]*[a-zA-Z%]|(?<!\w)--?[\w-]+|<[^>\s]*>|\$\{?\w+\}?"
                              r"|['\"`‘’“”«»„][^\s'\"`‘’“”«»„]*['\"`‘’“”«»„]|\\\w")
WORD = re.compile(r"^[^\W\d_]+$")
READING = re.compile(r"^  word .*, language (\d+) ")
PART_READING = re.compile(r"^    word .*, language (\d+) ")
CATALOG_HEADER = re.compile(r"^(--|Defined-By:|Support:|Documentation:)")
# Placeholders (@UNIT@), addresses and option settings (Storage=) are no prose.
NOT_PROSE = re.compile(r"@\w+@|\S+\(\d\)|\S+://\S+|\S*[=/]\S*")


def prose(path):
    """The running text of a help file or message catalogue."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    kept = []
    for line in lines:
        if line.startswith("#") or line.startswith(".") or CATALOG_HEADER.match(line):
            continue
        kept.append(NOT_PROSE.sub(" ", line.removeprefix("Subject:")))
    return "\n".join(kept) + "\n"


def catalog_messages(code):
    """The messages of the held-out catalogues: translated ones, or for
    English the originals, each once and cleaned of what is no language."""
    messages = set()
    for name in CATALOGS:
        path = LOCALE + ("it" if code == "en" else code) + "/LC_MESSAGES/" + name + ".mo"
        if not os.path.exists(path):
            continue
        with open(path, "rb") as f:
            catalog = gettext.GNUTranslations(f)._catalog
        for key, message in catalog.items():
            original = key[0] if isinstance(key, tuple) else key
            if not original or message == original:
                continue  # the header, or left untranslated
            messages.add(original if code == "en" else message)
    cleaned = (NOT_PROSE.sub(" ", NOT_MESSAGE_TEXT.sub(" ", m)) for m in sorted(messages))
    return "\n".join(cleaned) + "\n"


def analyse(program, data, text):
    """(token, set of reading languages) for every token of the text."""
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".txt", delete=False) as f:
        f.write(text)
    try:
        command = [program] + (["--data", data] if data else []) + ["--analyse", f.name]
        out = subprocess.run(command, check=True, capture_output=True, text=True).stdout
    finally:
        os.unlink(f.name)
    tokens = []
    parts = []  # reading languages of each part of the last token

    def end_token():
        # An unknown word reads in a language every one of its parts reads in.
        if tokens and parts:
            tokens[-1][1].update(set.intersection(*parts))

    for line in out.splitlines():
        if not line.startswith(" "):
            end_token()
            tokens.append((line, set()))
            parts = []
        elif tokens and line.startswith("  part "):
            parts.append(set())
        elif tokens:
            m = READING.match(line)
            if m:
                tokens[-1][1].add(int(m.group(1)))
            m = PART_READING.match(line)
            if m and parts:
                parts[-1].add(int(m.group(1)))
    end_token()
    return tokens


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--texts", choices=["prose", "tutor", "catalogs"], default="prose")
    parser.add_argument("--pvtranslate", default="build/bin/pvtranslate")
    parser.add_argument("--data")
    parser.add_argument("--misses", type=int, default=15)
    args = parser.parse_args()
    worst = 100.0
    for code, number in LANGUAGES:
        if args.texts == "catalogs":
            text = catalog_messages(code)
        elif args.texts == "prose":
            text = "".join(prose(p) for p in PROSE_TEXTS[code])
        else:
            text = "".join(open(p, encoding="utf-8").read() for p in TUTOR_TEXTS[code])
        tokens = [(t, langs) for t, langs in analyse(args.pvtranslate, args.data, text) if WORD.match(t)]
        words = [(t, langs) for t, langs in tokens if not (len(t) > 1 and t.isupper())]
        misses = collections.Counter(t for t, langs in words if number not in langs)
        foreign = sum(1 for t, langs in words if number not in langs and langs)
        read = len(words) - sum(misses.values())
        share = 100.0 * read / max(1, len(words))
        with_foreign = 100.0 * (read + foreign) / max(1, len(words))
        worst = min(worst, share)
        top = ", ".join(f"{t} {n}" for t, n in misses.most_common(args.misses))
        print(f"{code}\t{read}/{len(words)}\t{share:.1f}%\t({len(tokens) - len(words)} in capitals)"
              f"\t(+{foreign} foreign: {with_foreign:.1f}%)\tmisses: {top}")
    return 0 if worst >= 95.0 else 1


if __name__ == "__main__":
    sys.exit(main())
