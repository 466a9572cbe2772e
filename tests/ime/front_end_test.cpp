// What every front-end (IBus, fcitx5) takes from ime/FrontEnd: sessions made
// with the context's settings and brought back to them at a focus, password
// fields learning nothing, learned words reaching the history file only from
// the tasks posted to the front-end's loop, and candidate pages that say
// whether more come before or after them.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "engine/layout.h"
#include "ime/front_end.h"
#include "tests/suggest/temp_folder.h"
#include "userdata/word_ranking.h"

namespace lekhora {
namespace {

// The front-end's main loop: tasks wait here, from any thread, until run.
struct Loop {
  std::mutex mutex;
  std::condition_variable posted;
  std::vector<std::function<void()>> tasks;

  FrontEnd::Post Poster() {
    return [this](std::function<void()> task) {
      const std::lock_guard<std::mutex> lock(mutex);
      tasks.push_back(std::move(task));
      posted.notify_all();
    };
  }
  void WaitForTask() {
    std::unique_lock<std::mutex> lock(mutex);
    posted.wait(lock, [this] { return !tasks.empty(); });
  }
  int RunAll() {
    std::vector<std::function<void()>> now;
    {
      const std::lock_guard<std::mutex> lock(mutex);
      now.swap(tasks);
    }
    for (auto& task : now) task();
    return static_cast<int>(now.size());
  }
};

SessionActions TypeAll(InputSession& s, std::string_view keys) {
  SessionActions last;
  for (char k : keys) last = s.Key(CharacterKey(static_cast<char32_t>(k)));
  return last;
}

struct FrontEndTest : ::testing::Test {
  test::TempFolder folder;
  Loop loop;
  void SetUp() override {
    ::setenv("XDG_DATA_HOME", (folder.path() / "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (folder.path() / "config").c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_CONFIG_HOME");
  }
};

const std::u16string kMera = u"\u092E\u0947\u0930\u093E";

TEST_F(FrontEndTest, SessionsFollowTheContextsSettings) {
  FrontEnd shared("/nonexistent", "test", loop.Poster());
  SessionSettings settings{std::u16string(kPhoneticVimraLayout), u"", true, true};
  auto session = shared.MakeSession(settings);
  // A password field: the keys go to the application as typed.
  EXPECT_TRUE(session->PlainTyping());
  EXPECT_FALSE(session->Key(CharacterKey(U'k')).consumed);

  std::vector<SessionActions> shown;
  auto apply = [&shown](const SessionActions& a) { shown.push_back(a); };
  settings.secret = false;
  shared.CatchUp(*session, settings, apply);
  EXPECT_FALSE(session->PlainTyping());
  EXPECT_EQ(TypeAll(*session, "mera").preedit, kMera);

  // Another output script: the word typed so far is committed first.
  ASSERT_FALSE(OutputScripts().empty());
  settings.script = std::u16string(OutputScripts().front().name);
  shown.clear();
  shared.CatchUp(*session, settings, apply);
  EXPECT_EQ(&session->TypingLayout(), shared.Context(settings.layout, settings.script).get());
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front().commit, kMera);
  // Nothing changed: nothing to show.
  shown.clear();
  shared.CatchUp(*session, settings, apply);
  EXPECT_TRUE(shown.empty());

  // Layouts are shared; IntelligentRoman has no output script.
  EXPECT_EQ(shared.Context(kInscriptLayout, u""), shared.Context(kInscriptLayout, u""));
  EXPECT_EQ(shared.Context(kIntelligentRomanLayout, settings.script),
            shared.Context(kIntelligentRomanLayout, u""));
  EXPECT_EQ(shared.Context(u"NoSuchLayout", u""), nullptr);
}

TEST_F(FrontEndTest, WordsAreLearnedOnTheLoopAndNeverFromPasswordFields) {
  const std::filesystem::path history = folder.path() / "data" / "lekhora" / "history.sqlite";
  {
    FrontEnd shared("/nonexistent", "test", loop.Poster());
    auto session = shared.MakeSession({std::u16string(kPhoneticVimraLayout), u"", true, false});
    auto secret = shared.MakeSession({std::u16string(kPhoneticVimraLayout), u"", true, true});
    // The history is read on a thread of its own and taken in on the loop.
    loop.WaitForTask();
    loop.RunAll();
    EXPECT_EQ(TypeAll(*session, "mera ").commit, kMera + u" ");
    TypeAll(*secret, "kamal ");
    shared.FlushSoon();
    shared.FlushSoon();
    // One flush for both calls, and none while the event is handled.
    EXPECT_EQ(loop.RunAll(), 1);
    shared.FlushSoon();
    EXPECT_EQ(loop.RunAll(), 0);
  }
  WordRanking reread("/nonexistent", history);
  const HistoryEntry* mera = reread.History().Snapshot().Word(kMera);
  ASSERT_NE(mera, nullptr);
  EXPECT_EQ(mera->Count, 1);
  EXPECT_EQ(reread.History().Snapshot().Word(u"\u0915\u092E\u0932"), nullptr);
}

TEST_F(FrontEndTest, TasksPostedForAFrontEndThatIsGoneDoNothing) {
  {
    FrontEnd shared("/nonexistent", "test", loop.Poster());
    auto session = shared.MakeSession({std::u16string(kPhoneticVimraLayout), u"", true, false});
    loop.WaitForTask();
    loop.RunAll();
    TypeAll(*session, "mera ");
    shared.FlushSoon();
  }
  EXPECT_EQ(loop.RunAll(), 1);
}

TEST(CandidatePages, SayWhetherMoreComeBeforeOrAfter) {
  std::vector<std::u16string> words;
  for (char16_t i = 0; i < 20; ++i)
    words.push_back(std::u16string(u"\u0915") + char16_t(0x0915 + i));
  InputSession s(MakeLayout(kPhoneticVimraLayout), MakeSharedWords(words));
  SessionActions a = s.Key(CharacterKey(U'k'));
  ASSERT_EQ(a.candidates.size(), static_cast<std::size_t>(kCandidatePage));
  EXPECT_FALSE(a.pageBefore);
  EXPECT_TRUE(a.pageAfter);
  a = s.MoveHighlight(kCandidatePage);
  EXPECT_TRUE(a.pageBefore);
  EXPECT_TRUE(a.pageAfter);
  a = s.MoveHighlight(kCandidatePage);
  EXPECT_TRUE(a.pageBefore);
  EXPECT_FALSE(a.pageAfter);
  EXPECT_EQ(a.candidates.size(), 20u - 2 * kCandidatePage);
  // A key that ends the word hides the list and its pages.
  a = s.Key(CharacterKey(U' '));
  EXPECT_TRUE(a.candidates.empty());
  EXPECT_FALSE(a.pageBefore || a.pageAfter);
}

}  // namespace
}  // namespace lekhora
