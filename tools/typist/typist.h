#pragma once
// A typist model for measuring suggestions: each Devanagari word of a text is
// typed through a real input session with the fewest keys the layout allows,
// and accepted as soon as it is among the candidates in view.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ime/input_session.h"
#include "tools/typist/key_finder.h"

namespace lekhora::typist {

/// The runs of Devanagari letters, signs and joiners; the danda, the digits
/// and every other script end a word and are not typed by the model.
std::vector<std::u16string> DevanagariWords(std::u16string_view text);

struct TypistOptions {
  /// How many candidates of the page the typist looks at.
  int visible = kCandidatePage;
  /// Whether committed words are learned, and the history file they go to;
  /// handed to the session as the input method would set it up.
  bool learn = true;
  std::filesystem::path history;
  /// Ranked candidates, as the input method shows them; off, the list order.
  bool ranked = true;
  /// Where the shipped word frequencies are; none when empty.
  std::filesystem::path programFolder;
};

/// A session with what it ranks with and learns into.
struct TypistSession {
  std::unique_ptr<WordRanking> ranking;
  std::unique_ptr<InputSession> session;
  InputSession& operator*() const { return *session; }
};

/// The session a typist types into: the input method's own, built the way
/// the input method builds it for these options.
TypistSession MakeTypistSession(std::shared_ptr<const Layout> layout,
                                std::shared_ptr<const SharedWords> words,
                                const TypistOptions& options);

/// How one word went.
struct WordTyping {
  /// Letter keys typed before the word was accepted, or all of them.
  int typed = 0;
  /// Shift+Down or Shift+Up presses that brought the highlight to the word.
  int moves = 0;
  /// Where the word stood among the candidates in view when accepted; -1
  /// when it was typed whole.
  int position = -1;
  /// The session committed the word (the space typed after it aside).
  bool committed = true;
  /// What the session committed for it, without that space.
  std::u16string commit;
};

/// Types word with path's keys and a space after it, accepting it with
/// Shift+Space as soon as it is among the first visible candidates and
/// moving there and accepting takes fewer keys than typing the rest.
WordTyping TypeWord(InputSession& session, const KeyPath& path, const std::u16string& word,
                    int visible);

/// The keys a word costs, typed whole and as the typist typed it. The break
/// after a word (a space, a punctuation mark, or the end of the text) is one
/// key on both sides; Shift+Space commits the word alone, so an accepted word
/// is followed by its break as a typed one is.
int KeysWithout(const KeyPath& path);
int KeysWith(const WordTyping& typing);

struct Figures {
  int words = 0;
  /// Words the layout cannot type; not counted anywhere else.
  int untypable = 0;
  /// Words whose commit was not the word: a fault of the session.
  int miscommitted = 0;
  long keysWithout = 0;
  long keysWith = 0;
  int accepted = 0;
  /// Accepted words that stood first, among the first five, among the first nine.
  int first = 0;
  int top5 = 0;
  int top9 = 0;

  void Add(const KeyPath& path, const WordTyping& typing);
  /// Keys saved, as a percentage of the keys without suggestions.
  double Savings() const;
  /// The same, were the accept key also the word's break (as where accepting
  /// types the space): each accepted word one key cheaper.
  double SavingsAcceptEndingTheWord() const;
  double PerWord(long keys) const;
  /// count as a percentage of the words.
  double OfWords(int count) const;
};

}  // namespace lekhora::typist
