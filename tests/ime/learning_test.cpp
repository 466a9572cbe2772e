// The input method's learning controls and its history read off the start
// path: the switch is saved where the pad keeps its settings, next to the
// pad's own lines; clearing reaches every process; and what a session
// learns while the history is still being read is kept.

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <string>
#include <vector>

#include "engine/layout.h"
#include "ime/input_session.h"
#include "ime/learning_switch.h"
#include "tests/ime/ranked_typing.h"
#include "tests/suggest/temp_folder.h"
#include "userdata/word_ranking.h"

namespace lekhora {
namespace {

std::int64_t Uses(const WordHistory& history, std::u16string_view word) {
  const HistoryEntry* entry = history.Snapshot().Word(word);
  return entry == nullptr ? 0 : entry->Count;
}

std::string Text(const test::TempFolder& folder, const std::string& name) {
  const std::vector<std::uint8_t> bytes = folder.Read(name);
  return {bytes.begin(), bytes.end()};
}

void WriteText(const test::TempFolder& folder, const std::string& name, const std::string& text) {
  folder.Write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
}

struct Learning : ::testing::Test {
  test::TempFolder folder;
  std::filesystem::path settings = folder / "config" / "lekhora.conf";
  std::filesystem::path history = folder / "data" / "history.sqlite";
};

TEST_F(Learning, TheSwitchIsSavedBesideThePadsSettingsAndHoldsAfterARestart) {
  std::filesystem::create_directories(settings.parent_path());
  WriteText(folder, "config/lekhora.conf",
            "[General]\nfontSize=14\n\n[suggestions]\norder=used\n\n[window]\nx=3\n");
  {
    WordRanking ranking("/nonexistent", history);
    LearningSwitch learning(ranking, settings);
    EXPECT_TRUE(learning.On());
    EXPECT_TRUE(learning.Set(false));
    EXPECT_FALSE(ranking.Learning());
    EXPECT_EQ(Text(folder, "config/lekhora.conf"),
              "[General]\nfontSize=14\n\n[suggestions]\nlearn=off\norder=used\n\n[window]\nx=3\n");
    // Switched off, a committed word is not learned.
    InputSession s(MakeLayout(kPhoneticVimraLayout), MakeSharedWords({kaam, kaar, kaal}));
    s.SetRanking(&ranking);
    EXPECT_EQ(TypeAll(s, "kal ").commit, kaal + u" ");
    EXPECT_EQ(Uses(ranking.History(), kaal), 0);
  }
  // The next process starts with it off, and follows a change made elsewhere.
  WordRanking ranking("/nonexistent", history);
  LearningSwitch learning(ranking, settings);
  EXPECT_FALSE(learning.On());
  EXPECT_FALSE(learning.Reload());
  WriteText(folder, "config/lekhora.conf", "[suggestions]\nlearn=on\n");
  EXPECT_TRUE(learning.Reload());
  EXPECT_TRUE(ranking.Learning());
  // The line is changed in place, once.
  EXPECT_TRUE(learning.Set(false));
  EXPECT_EQ(Text(folder, "config/lekhora.conf"), "[suggestions]\nlearn=off\n");
}

TEST_F(Learning, TheSwitchMakesItsGroupOrLeavesAFileThePadCannotRead) {
  WordRanking ranking("/nonexistent", {});
  // No file, no folder: both made.
  LearningSwitch learning(ranking, settings);
  EXPECT_TRUE(learning.Set(false));
  EXPECT_EQ(Text(folder, "config/lekhora.conf"), "[suggestions]\nlearn=off\n");
  // A file without the group gets it at its end.
  WriteText(folder, "config/lekhora.conf", "[window]\nx=3\n");
  EXPECT_TRUE(learning.Set(true));
  EXPECT_EQ(Text(folder, "config/lekhora.conf"), "[window]\nx=3\n\n[suggestions]\nlearn=on\n");
  // What is no settings file is the pad's to set aside: it is not written,
  // and learning is switched for this process all the same.
  WriteText(folder, "config/lekhora.conf", "Dear diary,\n");
  EXPECT_FALSE(learning.Set(false));
  EXPECT_FALSE(learning.On());
  EXPECT_EQ(Text(folder, "config/lekhora.conf"), "Dear diary,\n");
  // Without a folder for it the switch holds for the process.
  LearningSwitch unsaved(ranking, {});
  EXPECT_FALSE(unsaved.Set(true));
  EXPECT_TRUE(unsaved.On());
}

TEST_F(Learning, ClearingEmptiesTheHistoryForEveryProcess) {
  WordRanking mine("/nonexistent", history);
  WordRanking other("/nonexistent", history);
  std::u16string previous;
  mine.Learn(u"काम कार ", previous);
  EXPECT_EQ(mine.History().Flush(), FlushResult::Written);
  EXPECT_TRUE(other.History().Refresh());
  EXPECT_EQ(Uses(other.History(), kaar), 1);

  LearningSwitch(mine, settings).ClearHistory();
  EXPECT_EQ(mine.History().Snapshot().Rows(), 0U);
  EXPECT_TRUE(other.History().Refresh());
  EXPECT_EQ(other.History().Snapshot().Rows(), 0U);
  EXPECT_EQ(WordHistory(history).Snapshot().Rows(), 0U);
}

TEST_F(Learning, WhatIsLearnedWhileTheHistoryIsReadIsKept) {
  {
    WordHistory earlier(history);
    for (int i = 0; i < 5; ++i) earlier.Record({}, kaar);
    earlier.Record({}, kaam);
  }
  std::atomic<int> told = 0;
  std::promise<void> letRead;
  WordHistoryOptions options;
  options.OpenInBackground = true;
  options.BeforeRead = [read = letRead.get_future().share()] { read.wait(); };
  options.Opened = [&told] { ++told; };
  WordRanking ranking("/nonexistent", history, options);
  InputSession s(MakeLayout(kPhoneticVimraLayout), MakeSharedWords({kaam, kaar, kaal}));
  s.SetRanking(&ranking);
  // Keys are answered before the history is taken in: the list's order.
  EXPECT_TRUE(ranking.History().Opening());
  EXPECT_EQ(TypeAll(s, "ka").candidates, (std::vector<std::u16string>{kaam, kaar, kaal}));
  EXPECT_EQ(TypeAll(s, "l ").commit, kaal + u" ");
  EXPECT_EQ(Uses(ranking.History(), kaal), 1);
  ranking.History().Forget(kaam);
  EXPECT_FALSE(ranking.History().InMemoryOnly());
  EXPECT_FALSE(ranking.History().FinishOpening());

  letRead.set_value();
  EXPECT_TRUE(ranking.History().FinishOpening(true));
  EXPECT_EQ(told, 1);
  EXPECT_FALSE(ranking.History().Opening());
  EXPECT_EQ(Uses(ranking.History(), kaar), 5);
  EXPECT_EQ(Uses(ranking.History(), kaal), 1);
  EXPECT_EQ(Uses(ranking.History(), kaam), 0);
  EXPECT_EQ(TypeAll(s, "ka").candidates.front(), kaar);
  EXPECT_EQ(ranking.History().Flush(), FlushResult::Written);
  const WordHistory after(history);
  EXPECT_EQ(Uses(after, kaar), 5);
  EXPECT_EQ(Uses(after, kaal), 1);
  EXPECT_EQ(Uses(after, kaam), 0);
}

TEST_F(Learning, AClearWhileTheHistoryIsReadRemovesWhatItHeld) {
  {
    WordHistory earlier(history);
    earlier.Record({}, kaar);
  }
  WordHistoryOptions options;
  options.OpenInBackground = true;
  {
    WordRanking ranking("/nonexistent", history, options);
    // A flush before the file is taken in keeps its queue.
    ranking.History().Clear();
    std::u16string previous;
    ranking.Learn(u"काल", previous);
    EXPECT_TRUE(ranking.History().Opening() || ranking.History().HasPending());
    // Closing takes the file in and writes the queue.
  }
  const WordHistory after(history);
  EXPECT_EQ(Uses(after, kaar), 0);
  EXPECT_EQ(Uses(after, kaal), 1);
}

}  // namespace
}  // namespace lekhora
