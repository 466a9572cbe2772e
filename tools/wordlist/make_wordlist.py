#!/usr/bin/env python3
"""Regenerates data/hindi-words.txt from Debian's Hindi dictionaries.

Maintainer's tool; the build never runs it. Needs the packages hunspell-hi
and aspell-hi (and the aspell program) installed.

    tools/wordlist/make_wordlist.py [OUTPUT]

The suggestion search indexes the list with 16-bit signed numbers and keeps
one empty entry after the last word, so at most 32 767 words fit. The two
dictionaries hold about 91 000 distinct words together; the choice is:

 1. every word of the hunspell list (about 16 000 curated stems and forms);
 2. then aspell words that extend a hunspell word of two or more code units
    (inflected forms of words already chosen), shortest first;
 3. then the remaining aspell words, shortest first.

Ties go by code-unit order, so the output is the same on every run.
A word is kept only when every character is a Devanagari letter or mark
(U+0900..U+097F without the dandas U+0964/U+0965, the digits
U+0966..U+096F and the abbreviation sign U+0970).
"""

import subprocess
import sys
from pathlib import Path

HUNSPELL_DIC = Path("/usr/share/hunspell/hi_IN.dic")
LIMIT = 32767


def is_devanagari_word(word: str) -> bool:
    if not word:
        return False
    for ch in word:
        cp = ord(ch)
        if not 0x0900 <= cp <= 0x097F or 0x0964 <= cp <= 0x0970:
            return False
    return True


def hunspell_words() -> list[str]:
    lines = HUNSPELL_DIC.read_text(encoding="utf-8").splitlines()[1:]  # first line: count
    words = []
    for line in lines:
        word = line.split("/", 1)[0].strip()  # drop affix flags, if any
        if is_devanagari_word(word):
            words.append(word)
    return words


def aspell_words() -> list[str]:
    out = subprocess.run(["aspell", "-d", "hi", "dump", "master"], check=True,
                         capture_output=True, text=True, encoding="utf-8").stdout
    return [w.split("/", 1)[0] for w in out.split() if is_devanagari_word(w.split("/", 1)[0])]


def utf16_key(word: str) -> bytes:
    return word.encode("utf-16-be")


def extends_known(word: str, known: set[str]) -> bool:
    return any(word[:n] in known for n in range(2, len(word)))


def main() -> int:
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else \
        Path(__file__).resolve().parents[2] / "data" / "hindi-words.txt"
    chosen = set(hunspell_words())
    rest = sorted(set(aspell_words()) - chosen,
                  key=lambda w: (not extends_known(w, chosen), len(w), utf16_key(w)))
    for word in rest:
        if len(chosen) >= LIMIT:
            break
        chosen.add(word)
    words = sorted(chosen, key=utf16_key)
    out.write_text("".join(w + "\n" for w in words), encoding="utf-8")
    print(f"{len(words)} words written to {out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
