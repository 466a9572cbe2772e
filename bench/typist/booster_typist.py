#!/usr/bin/env python3
"""The typist model of lekhora-typist, driven by ibus-typing-booster's own
candidate code (its Python modules, the hi_IN hunspell dictionary, a user
database of its own) instead of Lekhora's input session.

The words and their key counts come from lekhora-typist --keys-out, so both
sides type every word with the same keys. After each key (from the first: the
engine shows nothing before any input by default) the candidates are
typing-booster's for what the word reads as so far, with the previous two
words as context; as soon as the word is among the first N and accepting it
takes fewer keys than typing the rest, the highlight moves there from the first candidate (one key a step), one key accepts and
one more types the break, as on Lekhora's side. With learning on, every committed word goes into the database
as the engine records it (what was typed, the word, the two words before).
"""

import argparse
import logging
import os
import sys
import tempfile
import unicodedata

ENGINE = "/usr/share/ibus-typing-booster/engine"


def load_booster(database):
    if not os.path.isdir(ENGINE):
        return None
    sys.path.insert(0, ENGINE)
    logging.disable(logging.CRITICAL)
    import tabsqlitedb  # pylint: disable=import-outside-toplevel,import-error

    db = tabsqlitedb.TabSqliteDb(user_db_file=database)
    db.hunspell_obj.set_dictionary_names(["hi_IN"])
    return db


def nfc(text):
    return unicodedata.normalize("NFC", text)


class Words:
    """Lines of lekhora-typist --keys-out: word, keys, outputs."""

    def __init__(self, path):
        self.items = []
        with open(path, encoding="utf-8") as f:
            for line in f:
                fields = line.rstrip("\n").split("\t")
                self.items.append((fields[0], len(fields[1]), fields[2:]))


class Figures:
    def __init__(self):
        self.words = self.without = self.with_ = 0
        self.accepted = self.first = self.top5 = self.top9 = 0

    def add(self, keys, typed, position, moves):
        self.words += 1
        self.without += keys + 1
        if position < 0:
            self.with_ += keys + 1
            return
        self.with_ += typed + moves + 2
        self.accepted += 1
        self.first += position == 0
        self.top5 += position < 5
        self.top9 += position < 9

    def savings(self):
        return 100.0 * (self.without - self.with_) / self.without if self.without else 0.0

    def savings_accept_ending_the_word(self):
        saved = self.without - self.with_ + self.accepted
        return 100.0 * saved / self.without if self.without else 0.0

    def of_words(self, count):
        return 100.0 * count / self.words if self.words else 0.0


class Booster:
    def __init__(self, db, visible, learn):
        self.db = db
        self.visible = visible
        self.learn = learn
        self.context = []  # committed words, the last one last

    def candidates(self, typed):
        p = self.context[-1] if self.context else ""
        pp = self.context[-2] if len(self.context) > 1 else ""
        best = self.db.best_candidates(dict(self.db.select_words(typed, p_phrase=p, pp_phrase=pp)))
        # As the engine does: when the first candidate is the typed text
        # itself, longer words that begin with it go before it.
        if best and nfc(best[0][0]) == nfc(typed):
            first, first_freq = nfc(best[0][0]), best[0][1]
            frequencies = {}
            for cand, freq in best:
                longer = len(nfc(cand)) > len(first) and nfc(cand).startswith(first)
                frequencies[cand] = freq + first_freq if longer else freq
            best = self.db.best_candidates(frequencies)
        return [nfc(c) for c, _ in best]

    def commit(self, typed, word):
        if self.learn:
            p = self.context[-1] if self.context else ""
            pp = self.context[-2] if len(self.context) > 1 else ""
            self.db.check_phrase_and_update_frequency(
                input_phrase=typed, phrase=word, p_phrase=p, pp_phrase=pp)
            if len(self.context) > 2:
                ppp = self.context[-3]
                self.db.check_phrase_and_update_frequency(
                    input_phrase=p + " " + word, phrase=p + " " + word, p_phrase=pp, pp_phrase=ppp)
        self.context = (self.context + [word])[-3:]

    def type_word(self, word, keys, outputs):
        word = nfc(word)
        for typed in range(1, keys):
            shown = self.candidates(outputs[typed - 1])[: self.visible]
            if word in shown and typed + shown.index(word) + 1 < keys:
                position = shown.index(word)
                self.commit(outputs[typed - 1], word)
                return typed, position, position
        self.commit(word, word)
        return keys, -1, 0

    def type_text(self, words):
        figures = Figures()
        for word, keys, outputs in words.items:
            typed, position, moves = self.type_word(word, keys, outputs)
            figures.add(keys, typed, position, moves)
        return figures


def print_figures(name, f):
    print(f"text: {name}")
    print(f"  words: {f.words}")
    print(f"  keys without suggestions: {f.without}")
    print(f"  keys with suggestions: {f.with_}")
    print(f"  keystroke savings: {f.savings():.1f} %")
    print(f"  keystroke savings, the accept key ending the word: {f.savings_accept_ending_the_word():.1f} %")
    per_word = lambda keys: keys / f.words if f.words else 0.0
    print(f"  keys per word: {per_word(f.without):.2f} without, {per_word(f.with_):.2f} with")
    print(f"  accepted: {f.of_words(f.accepted):.1f} % of words; shown first {f.of_words(f.first):.1f} %,"
          f" among 5 {f.of_words(f.top5):.1f} %, among 9 {f.of_words(f.top9):.1f} %")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("keys", nargs="+", help="files written by lekhora-typist --keys-out")
    parser.add_argument("--visible", type=int, default=9)
    parser.add_argument("--learn", choices=["on", "off"], default="on")
    parser.add_argument("--train", help="a --keys-out file typed first, uncounted, with learning on")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as folder:
        db = load_booster(os.path.join(folder, "user.db"))
        if db is None:
            print("ibus-typing-booster is not installed: no figures")
            return 0
        booster = Booster(db, args.visible, args.learn == "on")
        print(f"ibus-typing-booster, hi_IN, candidates in view: {args.visible}, learning: {args.learn}"
              + (f", trained on: {args.train}" if args.train else ""))
        if args.train:
            trainer = Booster(db, args.visible, True)
            trainer.type_text(Words(args.train))
            booster.context = trainer.context
        for path in args.keys:
            print_figures(path, booster.type_text(Words(path)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
