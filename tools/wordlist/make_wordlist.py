#!/usr/bin/env python3
"""Builds data/hindi-words.txt from Debian's Hindi word lists and reports on it.

Maintainer's tool; the build never runs it. It installs the Debian packages it
reads when they are missing (as root; otherwise it prints the apt-get line):

    tools/wordlist/make_wordlist.py [--output FILE] [--report FILE]
    tools/wordlist/make_wordlist.py --measure LIST [--report FILE]

The first form rewrites the word list (data/hindi-words.txt unless told
otherwise) and prints the quality report; the second prints the report's
figures for an existing list (UTF-8, one word a line) without changing it.

Sources, in order of trust:

 1. tesseract-ocr-hin: the word list of the Hindi OCR model, words seen in
    real text (combine_tessdata -u, then dawg2wordlist on its lstm-unicharset
    and lstm-word-dawg; both tools are in tesseract-ocr);
 2. hunspell-hi: the words of /usr/share/hunspell/hi_IN.dic;
 3. the forms hunspell-hi's own affix rules make of its words (unmunch, from
    hunspell-tools).

aspell-hi's words (aspell dump master, expanded) are read for the report and
the common words' notes only, and never enter the list: aspell-hi is under
the GPL version 2 only, which cannot be combined with the Apache License 2.0
of tesseract-ocr-hin's words, nor with the GPL version 3 of the program.

Every word of the first two tiers that passes the checks is kept. The third
tier fills the rest, up to the 32 767 words the 16-bit indexes allow, most
widely attested first, then shortest first. A word's attestation is the number
of lists that hold it: the three above and the word list of tesseract-ocr's
Devanagari script model (tesseract-ocr-script-deva), which gives no words of
its own (it mixes Hindi with Marathi, Nepali and Sanskrit) but tells which
dictionary words are also seen in print. Ties at the cut go by the SHA-256 of
the word's UTF-8, a fixed order that favours no letter of the alphabet.

Before the checks every word is taken without ZWJ and ZWNJ (the layouts type
neither, and a joiner only chooses a glyph) and in Unicode normal form C. The
checks are the ones of `lekhora-words check --strict` (tools/words/
word_checks.cpp), under the same names; keep the two in step.

The output is sorted by UTF-16 code units, one word a line, LF ended, and the
same on every run with the same package versions.
"""

import argparse
import glob
import hashlib
import os
import subprocess
import sys
import tempfile
import unicodedata
from collections import defaultdict
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
DEFAULT_OUTPUT = ROOT / "data" / "hindi-words.txt"
COMMON_WORDS = ROOT / "data" / "common-words.txt"
LIMIT = 32767

PACKAGES = [
    "tesseract-ocr",
    "tesseract-ocr-hin",
    "tesseract-ocr-script-deva",
    "hunspell-hi",
    "hunspell-tools",
    "aspell",
    "aspell-hi",
]
HUNSPELL_DIC = Path("/usr/share/hunspell/hi_IN.dic")
HUNSPELL_AFF = Path("/usr/share/hunspell/hi_IN.aff")

# Source names, as data/common-words.txt notes them.
TESSERACT = "tesseract-ocr-hin"
HUNSPELL = "hunspell-hi"
AFFIX_FORMS = "hunspell-hi-affix-forms"
ASPELL = "aspell-hi"
SCRIPT_LIST = "tesseract-ocr-script-deva"
TIERS = [[TESSERACT], [HUNSPELL], [AFFIX_FORMS]]
WORD_SOURCES = [TESSERACT, HUNSPELL, AFFIX_FORMS, ASPELL]


# --- the checks (tools/words/word_checks.cpp holds the same rules) ---------

NUKTA, VIRAMA, VISARGA, AVAGRAHA = 0x093C, 0x094D, 0x0903, 0x093D
JOINERS = {0x200C, 0x200D}


def _ranges(*pairs):
    return {cp for first, last in pairs for cp in range(first, last + 1)}


CONSONANTS = _ranges((0x0915, 0x0939), (0x0958, 0x095F), (0x0978, 0x097F))
WITH_NUKTA = {0x0929, 0x0931, 0x0934} | _ranges((0x0958, 0x095F))
INDEPENDENT_VOWELS = _ranges((0x0904, 0x0914), (0x0960, 0x0961), (0x0972, 0x0977))
VOWEL_SIGNS = _ranges((0x093A, 0x093B), (0x093E, 0x094C), (0x094E, 0x094F),
                      (0x0955, 0x0957), (0x0962, 0x0963))
NASALS = _ranges((0x0900, 0x0902))
ALLOWED = (CONSONANTS | INDEPENDENT_VOWELS | VOWEL_SIGNS | NASALS | JOINERS
           | {VISARGA, NUKTA, VIRAMA, AVAGRAHA})

RULES = ["empty", "letters", "joiner", "sign-at-start", "two-vowel-signs",
         "virama-before-sign", "nukta", "doubled-nasal", "misplaced-sign", "nfc"]


def _check_at(cps, i):
    cp = cps[i]
    if cp not in ALLOWED:
        return "letters"
    if cp in JOINERS:
        between = i > 0 and cps[i - 1] == VIRAMA and i + 1 < len(cps) and cps[i + 1] in CONSONANTS
        return None if between else "joiner"
    vowel_sign = cp in VOWEL_SIGNS
    sign = vowel_sign or cp == VIRAMA or cp in NASALS or cp == VISARGA
    if i == 0:
        return "sign-at-start" if sign else "nukta" if cp == NUKTA else None
    before = cps[i - 1]
    if (vowel_sign or cp == VIRAMA) and before in INDEPENDENT_VOWELS:
        return "sign-at-start"
    if vowel_sign and before in VOWEL_SIGNS:
        return "two-vowel-signs"
    if vowel_sign and before == VIRAMA:
        return "virama-before-sign"
    if cp == NUKTA and (before not in CONSONANTS or before in WITH_NUKTA):
        return "nukta"
    if cp in NASALS and before in NASALS:
        return "doubled-nasal"
    if (vowel_sign or cp == VIRAMA) and before not in CONSONANTS and before != NUKTA:
        return "misplaced-sign"
    if (cp in NASALS or cp == VISARGA) and (
            before in (VIRAMA, VISARGA) or (cp == VISARGA and before in NASALS)):
        return "misplaced-sign"
    return None


def check_word(word):
    """The first rule word breaks, or None."""
    if not word:
        return "empty"
    cps = [ord(ch) for ch in word]
    for i in range(len(cps)):
        rule = _check_at(cps, i)
        if rule:
            return rule
    if unicodedata.normalize("NFC", word) != word:
        return "nfc"
    return None


# --- reading the sources ----------------------------------------------------

def run(args, **kwargs):
    return subprocess.run(args, check=True, capture_output=True, text=True,
                          encoding="utf-8", **kwargs).stdout


def package_version(name):
    try:
        out = subprocess.run(["dpkg-query", "-W", "-f=${Status}\t${Version}", name],
                             capture_output=True, text=True, check=False).stdout
    except FileNotFoundError:
        sys.exit("make_wordlist: dpkg-query not found; this script reads Debian packages")
    status, _, version = out.partition("\t")
    return version if status == "install ok installed" else None


def ensure_packages():
    missing = [p for p in PACKAGES if package_version(p) is None]
    if not missing:
        return
    line = "apt-get install -y --no-install-recommends " + " ".join(missing)
    if os.geteuid() != 0:
        sys.exit(f"make_wordlist: needs {' '.join(missing)}; as root run:\n"
                 f"  apt-get update && {line}")
    print(f"Installing {' '.join(missing)}", file=sys.stderr)
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    # apt-get's talk goes to stderr, so that stdout holds only the report.
    subprocess.run(["apt-get", "update", "-qq"], check=True, env=env, stdout=sys.stderr)
    subprocess.run(line.split(), check=True, env=env, stdout=sys.stderr)


def find_traineddata(name):
    found = sorted(glob.glob(f"/usr/share/tesseract-ocr/*/tessdata/{name}.traineddata")
                   + glob.glob(f"/usr/share/tesseract-ocr/*/tessdata/script/{name}.traineddata"))
    if not found:
        sys.exit(f"make_wordlist: {name}.traineddata not found under /usr/share/tesseract-ocr")
    return found[0]


def tesseract_words(name):
    with tempfile.TemporaryDirectory() as tmp:
        prefix = os.path.join(tmp, "model.")
        run(["combine_tessdata", "-u", find_traineddata(name), prefix])
        out = os.path.join(tmp, "words.txt")
        run(["dawg2wordlist", prefix + "lstm-unicharset", prefix + "lstm-word-dawg", out])
        return Path(out).read_text(encoding="utf-8").split("\n")


def hunspell_words():
    lines = HUNSPELL_DIC.read_text(encoding="utf-8").splitlines()[1:]  # first line: count
    return [line.split(None, 1)[0].split("/", 1)[0] for line in lines if line.strip()]


def unmunch_words():
    """Every word unmunch makes of the dictionary with its affix rules, the
    entries themselves included."""
    return run(["unmunch", str(HUNSPELL_DIC), str(HUNSPELL_AFF)]).split()


def aspell_words():
    dump = run(["aspell", "-d", "hi", "dump", "master"])
    return run(["aspell", "-l", "hi", "expand"], input=dump).split()


def clean(word):
    """The word as the list keeps it: without joiners, in normal form C."""
    bare = "".join(ch for ch in word.strip() if ord(ch) not in JOINERS)
    return unicodedata.normalize("NFC", bare)


def utf16_key(word):
    return word.encode("utf-16-be")


def cps(word):
    return " ".join(f"U+{ord(ch):04X}" for ch in word)


# --- the common-word check list --------------------------------------------

def read_common_words(path):
    """(word, noted sources) for every entry of data/common-words.txt."""
    entries = []
    for line in path.read_text(encoding="utf-8").splitlines():
        if not line.strip() or line.startswith("#"):
            continue
        word, _, sources = line.partition("\t")
        entries.append((word, sources.split()))
    return entries


# --- the report -------------------------------------------------------------

class Report:
    def __init__(self):
        self.lines = []

    def __call__(self, text=""):
        self.lines.append(text)

    def text(self):
        return "\n".join(self.lines) + "\n"


def examples(words, n=4):
    """n words spread evenly over the code-unit order, so they are not all
    the ones that begin with the same character."""
    ordered = sorted(words, key=utf16_key)
    picked = [ordered[i * len(ordered) // n] for i in range(n)] if len(ordered) > n else ordered
    return ", ".join(f"{w} ({cps(w)})" for w in picked)


def report_sources(rep, raw, lists):
    rep("Sources (Debian packages)")
    for p in PACKAGES:
        rep(f"  {p} {package_version(p)}")
    rep(f"  Python unicodedata {unicodedata.unidata_version}")
    rep()
    rep(f"{'source':26} {'read':>7} {'distinct':>8} {'joiners':>7} {'to NFC':>6} "
        f"{'rejected':>8} {'passing':>7}")
    rejected = {}
    for name in WORD_SOURCES + [SCRIPT_LIST]:
        words = [w for w in raw[name] if w.strip()]
        distinct = set(w.strip() for w in words)
        joined = sum(1 for w in distinct if any(ord(ch) in JOINERS for ch in w))
        to_nfc = sum(1 for w in distinct
                     if unicodedata.normalize("NFC", w) != w)
        by_rule = defaultdict(set)
        for w in set(clean(w) for w in distinct):
            rule = check_word(w)
            if rule:
                by_rule[rule].add(w)
        rejected[name] = by_rule
        rep(f"{name:26} {len(words):7} {len(distinct):8} {joined:7} {to_nfc:6} "
            f"{sum(len(s) for s in by_rule.values()):8} {len(lists[name]):7}")
    rep(f"  ({AFFIX_FORMS}: unmunch made {len(raw['unmunch'])} words of the "
        f"{len(raw[HUNSPELL])} entries; the table counts those that are no entry themselves)")
    rep()
    rep("Rejected per check (a word counts under the first rule it breaks)")
    for rule in RULES:
        counts = [(name, len(rejected[name].get(rule, ()))) for name in WORD_SOURCES]
        if not any(n for _, n in counts):
            continue
        rep(f"  {rule}: " + ", ".join(f"{name} {n}" for name, n in counts if n))
        every = set().union(*(rejected[name].get(rule, set()) for name in WORD_SOURCES))
        rep(f"    e.g. {examples(every)}")
    rep()


def measure(rep, title, words, lists, common):
    """The figures that compare one list with another."""
    entries = set(words)
    rep(title)
    rep(f"  entries: {len(words)}"
        + ("" if len(entries) == len(words) else f" ({len(words) - len(entries)} duplicates)")
        + ("" if words == sorted(words, key=utf16_key) else ", not sorted by UTF-16 code units"))
    by_rule = defaultdict(list)
    for w in words:
        rule = check_word(w)
        if rule:
            by_rule[rule].append(w)
    failing = sum(len(v) for v in by_rule.values())
    rep(f"  failing the checks: {failing}"
        + "".join(f"\n    {rule} {len(by_rule[rule])}: {examples(by_rule[rule], 3)}"
                  for rule in RULES if by_rule[rule]))
    rep("  entries also in each source:")
    for name in WORD_SOURCES + [SCRIPT_LIST]:
        rep(f"    {name:26} {len(entries & lists[name]):6}")
    not_hunspell = entries - lists[HUNSPELL]
    rep(f"  not in hunspell-hi: {len(not_hunspell)}, of which in tesseract-ocr-hin "
        f"{len(not_hunspell & lists[TESSERACT])}")
    untrusted = not_hunspell - lists[TESSERACT]
    rep(f"  in neither tesseract-ocr-hin nor hunspell-hi: {len(untrusted)}, of which in the "
        f"Devanagari script list {len(untrusted & lists[SCRIPT_LIST])}")
    groups = attesting(lists)
    attested_once = [w for w in entries if attestation(w, groups) <= 1]
    rep(f"  in one source list only: {len(attested_once)}")
    tess = lists[TESSERACT]
    rep(f"  tesseract-ocr-hin words (passing the checks) in the list: "
        f"{len(tess & entries)} of {len(tess)}")
    missing = [w for w, _ in common if w not in entries]
    rep(f"  common words (data/common-words.txt) in the list: "
        f"{len(common) - len(missing)} of {len(common)}"
        + (f"; missing {' '.join(missing[:12])}" if missing else ""))
    rep()


def check_common_notes(rep, common, lists):
    wrong = []
    for word, noted in common:
        found = [n for n in (TESSERACT, HUNSPELL, ASPELL) if word in lists[n]]
        if sorted(noted) != sorted(found):
            wrong.append(f"{word} noted {' '.join(noted) or '-'}, found in {' '.join(found) or '-'}")
    if wrong:
        rep("Common words whose noted source is not where the word is found:")
        for line in wrong:
            rep(f"  {line}")
        rep()
    return not wrong


# --- choosing the words -----------------------------------------------------

def attesting(lists):
    """The independent lists a word can be attested in: hunspell-hi's entries
    and the forms its rules make count as one."""
    return [lists[TESSERACT], lists[HUNSPELL] | lists[AFFIX_FORMS],
            lists[SCRIPT_LIST]]


def attestation(word, groups):
    return sum(word in group for group in groups)


def choose(lists):
    """The list in order of trust, and how many words each tier gave."""
    groups = attesting(lists)

    def rank(word):
        return (-attestation(word, groups), len(word),
                hashlib.sha256(word.encode("utf-8")).digest())

    chosen = set()
    taken = []
    for tier in TIERS:
        candidates = set().union(*(lists[name] for name in tier)) - chosen
        before = len(chosen)
        last = None
        for word in sorted(candidates, key=rank):
            if len(chosen) >= LIMIT:
                break
            chosen.add(word)
            last = word
        taken.append((tier, len(candidates), len(chosen) - before, last and rank(last)))
    return sorted(chosen, key=utf16_key), taken


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--output", type=Path, default=DEFAULT_OUTPUT)
    parser.add_argument("--measure", type=Path, help="report on this list instead")
    parser.add_argument("--report", type=Path, help="also write the report here")
    args = parser.parse_args()

    ensure_packages()
    raw = {
        TESSERACT: tesseract_words("hin"),
        HUNSPELL: hunspell_words(),
        ASPELL: aspell_words(),
        SCRIPT_LIST: tesseract_words("Devanagari"),
    }
    raw["unmunch"] = unmunch_words()
    entries = set(raw[HUNSPELL])
    raw[AFFIX_FORMS] = [w for w in raw["unmunch"] if w not in entries]
    lists = {name: {w for w in map(clean, words) if w and not check_word(w)}
             for name, words in raw.items() if name != "unmunch"}
    common = read_common_words(COMMON_WORDS)
    rep = Report()
    failed = False

    if args.measure:
        words = [w for w in args.measure.read_text(encoding="utf-8").split("\n") if w]
        measure(rep, f"The list {args.measure}", words, lists, common)
    else:
        report_sources(rep, raw, lists)
        words, taken = choose(lists)
        rep("Chosen in order of trust (attestation = lists holding the word)")
        for tier, candidates, n, last in taken:
            cut = ""
            if last and len(words) >= LIMIT and n < candidates:
                cut = f"; cut at attestation {-last[0]}, length {last[1]}"
            rep(f"  {' + '.join(tier)}: {n} of {candidates} new words{cut}")
        rep()
        measure(rep, "The new list", words, lists, common)
        notes_ok = check_common_notes(rep, common, lists)
        args.output.write_text("".join(w + "\n" for w in words), encoding="utf-8")
        rep(f"{len(words)} words written to {args.output}")
        chosen = set(words)
        failed = not notes_ok or any(w not in chosen for w, _ in common)
        if failed:
            rep("FAILED: the common words are not all in the list, or a source note is wrong")
    text = rep.text()
    sys.stdout.write(text)
    if args.report:
        args.report.write_text(text, encoding="utf-8")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
