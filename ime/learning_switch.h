#pragma once
// The input method's menu entries for learning: whether the words committed
// are learned, remembered in the settings file the pad reads too (the line
// "learn=on" or "learn=off" of its [suggestions] group), so that it holds for
// every input method process and after a restart; and clearing the history
// every process shares.

#include <filesystem>

#include "userdata/word_ranking.h"

namespace lekhora {

/// The settings file in the user's configuration folder; empty when no
/// folder can be told.
std::filesystem::path DefaultSettingsFile();

class LearningSwitch {
 public:
  /// ranking must outlive the switch; an empty settingsFile keeps the switch
  /// to this process. The saved setting is taken at once.
  LearningSwitch(WordRanking& ranking, std::filesystem::path settingsFile);

  bool On() const { return ranking_.Learning(); }
  /// Takes the saved setting again: the pad or another process may have
  /// switched it. True when learning changed.
  bool Reload();
  /// Switches learning for this process and saves it; false when it could not
  /// be saved (a settings file the pad set aside or cannot read, a folder that
  /// cannot be written), and it then holds for this process only.
  bool Set(bool on);
  /// Empties the history, here and in its file; the other processes find it
  /// empty at their next Refresh().
  void ClearHistory() { ranking_.History().Clear(); }

 private:
  WordRanking& ranking_;
  std::filesystem::path file_;
};

}  // namespace lekhora
