#include "tools/typist/typist.h"

#include <algorithm>

#include "suggest/canonical_fold.h"

namespace lekhora::typist {

namespace {

bool IsWordUnit(char16_t unit) {
  if (unit == 0x200C || unit == 0x200D) return true;  // the joiners shape conjuncts
  if (unit < 0x0900 || unit > 0x097F) return false;
  // The danda, the double danda, the digits and the abbreviation sign.
  return unit < 0x0964 || unit > 0x0970;
}

int IndexIn(const SessionActions& shown, const std::u16string& word, int visible) {
  const int end = std::min(visible, static_cast<int>(shown.candidates.size()));
  for (int i = 0; i < end; ++i)
    if (shown.candidates[static_cast<std::size_t>(i)] == word) return i;
  return -1;
}

}  // namespace

std::vector<std::u16string> DevanagariWords(std::u16string_view text) {
  std::vector<std::u16string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!IsWordUnit(text[i]) || text[i] == 0x200C || text[i] == 0x200D) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && IsWordUnit(text[end])) ++end;
    words.emplace_back(text.substr(i, end - i));
    i = end;
  }
  return words;
}

TypistSession MakeTypistSession(std::shared_ptr<const Layout> layout,
                                std::shared_ptr<const SharedWords> words,
                                const TypistOptions& options) {
  TypistSession typist;
  typist.session = std::make_unique<InputSession>(std::move(layout), std::move(words));
  if (!options.ranked) return typist;
  typist.ranking = std::make_unique<WordRanking>(options.programFolder, options.history);
  typist.ranking->SetLearning(options.learn);
  typist.session->SetRanking(typist.ranking.get());
  return typist;
}

WordTyping TypeWord(InputSession& session, const KeyPath& path, const std::u16string& word,
                    int visible) {
  WordTyping typing;
  const int keys = static_cast<int>(path.keys.size());
  SessionActions shown = session.Shown();
  for (; typing.typed < keys; ++typing.typed) {
    const int index = IndexIn(shown, word, visible);
    // Accepting costs the moves and the accept key; a typist who sees that
    // typing on is no dearer types on.
    if (index >= 0 && typing.typed + index + 1 < keys) {
      typing.position = index;
      break;
    }
    shown = session.Key(CharacterKey(path.keys[static_cast<std::size_t>(typing.typed)]));
    // A key that ends the word in the session (the nukta's) commits its start.
    typing.commit += shown.commit;
  }
  if (typing.position >= 0) {
    // The highlight moves one candidate a press, as the typist sees it move.
    for (int guard = 0; shown.highlight != typing.position && guard < 2 * kCandidatePage; ++guard) {
      shown = session.Key(
          NamedKey(shown.highlight < typing.position ? ImeKey::Down : ImeKey::Up, true));
      ++typing.moves;
    }
    typing.commit += session.Key(CharacterKey(U' ', true)).commit;
    session.Key(CharacterKey(U' '));
  } else {
    typing.commit += session.Key(CharacterKey(U' ')).commit;
    if (!typing.commit.empty() && typing.commit.back() == u' ') typing.commit.pop_back();
  }
  // The layout's own spelling of a nukta letter is the word all the same.
  std::u16string folded;
  FoldCanonical(typing.commit, folded);
  typing.committed = folded == word;
  // Whatever is left (a word the session did not end) must not run into the
  // next; an ended word stays the one the next follows, as in a text box.
  if (!session.Shown().preedit.empty()) session.Reset();
  return typing;
}

int KeysWithout(const KeyPath& path) {
  return static_cast<int>(path.keys.size()) + 1;
}

int KeysWith(const WordTyping& typing) {
  if (typing.position < 0) return typing.typed + 1;
  return typing.typed + typing.moves + 2;
}

void Figures::Add(const KeyPath& path, const WordTyping& typing) {
  ++words;
  if (!typing.committed) ++miscommitted;
  keysWithout += KeysWithout(path);
  keysWith += KeysWith(typing);
  if (typing.position < 0) return;
  ++accepted;
  if (typing.position == 0) ++first;
  if (typing.position < 5) ++top5;
  if (typing.position < 9) ++top9;
}

double Figures::Savings() const {
  return keysWithout == 0 ? 0.0
                          : 100.0 * static_cast<double>(keysWithout - keysWith) /
                                static_cast<double>(keysWithout);
}

double Figures::SavingsAcceptEndingTheWord() const {
  return keysWithout == 0 ? 0.0
                          : 100.0 * static_cast<double>(keysWithout - keysWith + accepted) /
                                static_cast<double>(keysWithout);
}

double Figures::PerWord(long keys) const {
  return words == 0 ? 0.0 : static_cast<double>(keys) / words;
}

double Figures::OfWords(int count) const {
  return words == 0 ? 0.0 : 100.0 * count / words;
}

}  // namespace lekhora::typist
