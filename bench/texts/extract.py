#!/usr/bin/env python3
"""Writes the held-out texts of this folder from the Debian packages they come
from, the same way every time (see README.md)."""

import html
import pathlib
import re
import sys

HELP = pathlib.Path("/usr/share/libreoffice/help/hi/text")
SAMPLE = pathlib.Path("/usr/share/doc/festival-hi/examples/sample.txt")
MANUAL_WORDS = 6000


def devanagari_share(line):
    letters = [c for c in line if c.isalpha()]
    if not letters:
        return 0.0
    return sum(1 for c in letters if "\u0900" <= c <= "\u097f") / len(letters)


def help_lines():
    # Sentences of the translated help only: a page's English remnants and
    # one- or two-word labels (menu names) are not prose a user types.
    for page in sorted(HELP.rglob("*.html")):
        text = page.read_text(encoding="utf-8")
        text = re.sub(r"(?s)<(script|style|head)\b.*?</\1>", "", text)
        text = html.unescape(re.sub(r"<[^>]+>", "\n", text))
        for line in text.splitlines():
            line = " ".join(line.split())
            if len(line.split()) >= 5 and devanagari_share(line) >= 0.9:
                yield line


def main(folder):
    folder = pathlib.Path(folder)
    if not HELP.is_dir() or not SAMPLE.is_file():
        sys.exit("extract.py: install libreoffice-help-hi and festival-hi first")
    lines, words, seen = [], 0, set()
    for line in help_lines():
        if line in seen:  # the help repeats its notes on many pages
            continue
        seen.add(line)
        lines.append(line)
        words += len(line.split())
        if words >= MANUAL_WORDS:
            break
    (folder / "manual-hi.txt").write_text("\n".join(lines) + "\n", encoding="utf-8")
    half = len(lines) // 2
    (folder / "manual-hi.first-half.txt").write_text("\n".join(lines[:half]) + "\n", encoding="utf-8")
    (folder / "manual-hi.second-half.txt").write_text("\n".join(lines[half:]) + "\n", encoding="utf-8")
    sample = [" ".join(l.split()) for l in SAMPLE.read_text(encoding="utf-8").splitlines()]
    (folder / "news-hi.txt").write_text("\n".join(l for l in sample if l) + "\n", encoding="utf-8")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent)
