#pragma once
// What the pad and the input method sessions of a process rank their candidates with and learn
// into: the shipped word frequencies, read once, and the user's history, which every session of the
// process (and every other process) shares.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "suggest/frequency_view.h"
#include "suggest/ranking.h"
#include "suggest/word_frequencies.h"
#include "userdata/history_view.h"
#include "userdata/word_history.h"

namespace lekhora {

class WordRanking {
 public:
  /// The frequency table in programFolder (none when it cannot be used: the
  /// candidates are then ranked without it) and the history at historyFile
  /// (in memory only when empty).
  WordRanking(const std::filesystem::path& programFolder, std::filesystem::path historyFile,
              WordHistoryOptions options = {});
  WordRanking(const WordRanking&) = delete;
  WordRanking& operator=(const WordRanking&) = delete;

  const Ranking& Ranks() const { return ranking_; }
  WordHistory& History() { return *history_; }
  bool HasFrequencies() const { return !table_.empty(); }
  /// The shipped frequencies and what the history says of a word, for
  /// rankings of other candidates (words typed in Latin letters).
  const WordFrequencies& Table() const { return table_; }
  const HistoryView& Used() const { return historyView_; }

  /// Whether committed words are learned; the ranking reads the history
  /// either way.
  bool Learning() const { return learning_; }
  void SetLearning(bool on) { learning_ = on; }

  /// Learns the Devanagari words of text, committed in one piece, each after
  /// the word before it (previous for the first; then it is the last word, or
  /// empty when the text ends with anything but a space after its word).
  /// Nothing is stored while learning is off; previous follows all the same.
  void Learn(std::u16string_view text, std::u16string& previous);
  /// Learns the word that before (the text up to a word break) ends with,
  /// after the word before it where only spaces part the two; previous
  /// becomes that word. False, and nothing learned, when before does not end
  /// with a word.
  bool LearnEnded(std::u16string_view before, std::u16string& previous);

 private:
  WordFrequencies table_;
  TableFrequencies frequencies_{table_};
  std::unique_ptr<WordHistory> history_;
  HistoryRanks historyView_;
  Ranking ranking_;
  bool learning_ = true;
};

}  // namespace lekhora
