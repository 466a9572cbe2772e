#include "userdata/word_history.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/suggest/temp_folder.h"

namespace lekhora {
namespace {

using std::chrono::seconds;
using std::chrono::system_clock;
using test::TempFolder;

// 2024-03-05 06:07:08 UTC.
constexpr std::int64_t kStart = 1709618828;

// A store on folder/history.sqlite whose clock the test moves.
struct Clocked {
  std::int64_t now = kStart;
  WordHistoryOptions Options(std::size_t most = 50000) {
    WordHistoryOptions options;
    options.MostRows = most;
    options.Now = [this] { return system_clock::time_point(seconds(now)); };
    return options;
  }
};

// A distinct Devanagari word for each number: "श" and its Devanagari digits.
std::u16string WordNumber(int n) {
  std::u16string word = u"श";
  for (char digit : std::to_string(n)) word += static_cast<char16_t>(u'०' + (digit - '0'));
  return word;
}

std::int64_t CountOf(const WordHistory& history, std::u16string_view word) {
  const HistoryEntry* entry = history.Snapshot().Word(word);
  return entry == nullptr ? 0 : entry->Count;
}

std::int64_t PairCountOf(const WordHistory& history, std::u16string_view previous,
                         std::u16string_view word) {
  const HistoryEntry* entry = history.Snapshot().Pair(previous, word);
  return entry == nullptr ? 0 : entry->Count;
}

std::vector<std::u16string> Words(const std::vector<HistoryWord>& found) {
  std::vector<std::u16string> words;
  for (const HistoryWord& word : found) words.emplace_back(word.Word);
  return words;
}

unsigned ModeOf(const std::filesystem::path& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
  return status.st_mode & 0777;
}

// Each test's own folder, clock and history file.
class WordHistoryTest : public ::testing::Test {
 protected:
  TempFolder folder;
  Clocked clock;
  const std::filesystem::path file = folder / "history.sqlite";
};

TEST_F(WordHistoryTest, RecordedWordsAndPairsSurviveFlushAndReopen) {
  {
    WordHistory history(file, clock.Options());
    EXPECT_FALSE(history.InMemoryOnly());
    EXPECT_TRUE(history.Record(u"", u"मेरा"));
    EXPECT_TRUE(history.Record(u"मेरा", u"नाम"));
    clock.now += 60;
    EXPECT_TRUE(history.Record(u"नाम", u"मेरा"));
    EXPECT_TRUE(history.Record(u"मेरा", u"नाम"));
    // The memory has it before any write.
    EXPECT_EQ(CountOf(history, u"नाम"), 2);
    EXPECT_TRUE(history.HasPending());
    EXPECT_EQ(history.Flush(), FlushResult::Written);
    EXPECT_FALSE(history.HasPending());
    EXPECT_EQ(history.Flush(), FlushResult::Nothing);
    EXPECT_TRUE(history.TakeNotes().empty());
  }
  WordHistory reopened(file, clock.Options());
  EXPECT_EQ(CountOf(reopened, u"मेरा"), 2);
  EXPECT_EQ(CountOf(reopened, u"नाम"), 2);
  EXPECT_EQ(reopened.Snapshot().Word(u"नाम")->LastUsed, kStart + 60);
  EXPECT_EQ(PairCountOf(reopened, u"मेरा", u"नाम"), 2);
  EXPECT_EQ(PairCountOf(reopened, u"नाम", u"मेरा"), 1);
  EXPECT_EQ(PairCountOf(reopened, u"", u"मेरा"), 0);
  EXPECT_EQ(reopened.Snapshot().Rows(), 4u);
}

TEST_F(WordHistoryTest, NoWordIsStored) {
  const std::u16string longest(1000, u'क');
  {
    WordHistory history(file, clock.Options());
    EXPECT_FALSE(history.Record(u"", u""));
    EXPECT_FALSE(history.Record(u"", std::u16string(1001, u'क')));
    EXPECT_FALSE(history.Record(u"", std::u16string(u"क\xD800")));
    EXPECT_FALSE(history.Record(u"", std::u16string(u"\xDC00क")));
    EXPECT_FALSE(history.Record(u"", std::u16string(u"\xD800क")));
    EXPECT_FALSE(history.Record(u"", std::u16string(u"क\0ख", 3)));
    EXPECT_FALSE(history.HasPending());
    EXPECT_TRUE(history.Record(u"", longest));
    EXPECT_TRUE(history.Record(u"", u"\U0001F600"));
    // A previous word that is none only loses the pair.
    EXPECT_TRUE(history.Record(std::u16string(u"\xD800"), u"क"));
    EXPECT_EQ(history.Flush(), FlushResult::Written);
  }
  WordHistory reopened(file, clock.Options());
  EXPECT_EQ(reopened.Snapshot().Rows(), 3u);
  EXPECT_EQ(CountOf(reopened, longest), 1);
  EXPECT_EQ(CountOf(reopened, u"\U0001F600"), 1);
  EXPECT_EQ(CountOf(reopened, u"क"), 1);
}

TEST_F(WordHistoryTest, LookupsByPrefixAndByPreviousWord) {
  WordHistory history(folder / "history.sqlite", clock.Options());
  for (const char16_t* word : {u"कम", u"कमल", u"कल", u"खग", u"कमरा", u"क"})
    history.Record(u"", word);
  EXPECT_EQ(Words(history.Snapshot().WordsBeginningWith(u"कम")),
            (std::vector<std::u16string>{u"कम", u"कमरा", u"कमल"}));
  EXPECT_EQ(history.Snapshot().WordsBeginningWith(u"").size(), 6u);
  EXPECT_TRUE(history.Snapshot().WordsBeginningWith(u"ग").empty());

  // Followers: most often first, then the most recent, then code-unit order.
  history.Record(u"में", u"था");
  history.Record(u"में", u"है");
  history.Record(u"में", u"है");
  clock.now += 5;
  history.Record(u"में", u"भी");
  history.Record(u"में", u"और");
  EXPECT_EQ(Words(history.Snapshot().Followers(u"में", 9)),
            (std::vector<std::u16string>{u"है", u"और", u"भी", u"था"}));
  EXPECT_EQ(Words(history.Snapshot().Followers(u"में", 2)),
            (std::vector<std::u16string>{u"है", u"और"}));
  EXPECT_TRUE(history.Snapshot().Followers(u"है", 9).empty());
}

TEST_F(WordHistoryTest, StoresOnOneFileAddUpAndSeeEachOther) {
  WordHistory pad(file, clock.Options());
  WordHistory input(file, clock.Options());
  pad.Record(u"", u"नमस्ते");
  pad.Record(u"नमस्ते", u"दुनिया");
  input.Record(u"", u"नमस्ते");
  input.Record(u"नमस्ते", u"दुनिया");
  input.Record(u"दुनिया", u"नमस्ते");
  EXPECT_EQ(pad.Flush(), FlushResult::Written);
  EXPECT_FALSE(pad.Refresh());  // its own write is no news
  EXPECT_EQ(input.Flush(), FlushResult::Written);
  // The second writer took in the first's rows under its write lock.
  EXPECT_EQ(CountOf(input, u"नमस्ते"), 3);
  EXPECT_TRUE(pad.Refresh());
  EXPECT_FALSE(pad.Refresh());
  EXPECT_EQ(CountOf(pad, u"नमस्ते"), 3);
  EXPECT_EQ(CountOf(pad, u"दुनिया"), 2);
  EXPECT_EQ(PairCountOf(pad, u"नमस्ते", u"दुनिया"), 2);
  // A queued commit survives a refresh.
  pad.Record(u"", u"दुनिया");
  input.Record(u"", u"दुनिया");
  input.Flush();
  EXPECT_TRUE(pad.Refresh());
  EXPECT_EQ(CountOf(pad, u"दुनिया"), 4);
  pad.Flush();
  EXPECT_EQ(CountOf(WordHistory(file, clock.Options()), u"दुनिया"), 4);
}

TEST_F(WordHistoryTest, AFileRemovedUnderARunningStoreIsFollowed) {
  WordHistory pad(file, clock.Options());
  pad.Record(u"", u"पुराना");
  pad.Flush();
  // The user deletes the history to start afresh while the pad runs.
  for (const char* name : {"history.sqlite", "history.sqlite-wal", "history.sqlite-shm"})
    std::filesystem::remove(folder / name);
  pad.Record(u"", u"बाकी");
  EXPECT_TRUE(pad.Refresh());
  EXPECT_EQ(CountOf(pad, u"पुराना"), 0);
  EXPECT_EQ(CountOf(pad, u"बाकी"), 1);  // still queued, and now in the new file
  EXPECT_EQ(pad.Flush(), FlushResult::Written);
  EXPECT_EQ(CountOf(WordHistory(file, clock.Options()), u"बाकी"), 1);
  EXPECT_TRUE(pad.TakeNotes().empty());
}

TEST_F(WordHistoryTest, ABusyFileKeepsTheQueueForTheNextFlush) {
  WordHistory pad(file, clock.Options());
  pad.Record(u"", u"पहला");
  pad.Flush();
  // Another process holds the write lock past the busy timeout.
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  pad.Record(u"पहला", u"दूसरा");
  EXPECT_EQ(pad.Flush(), FlushResult::Busy);
  pad.Forget(u"पहला");
  EXPECT_TRUE(pad.HasPending());
  EXPECT_FALSE(pad.InMemoryOnly());
  sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_EQ(pad.Flush(), FlushResult::Written);
  WordHistory reopened(file, clock.Options());
  EXPECT_EQ(CountOf(reopened, u"पहला"), 0);
  EXPECT_EQ(CountOf(reopened, u"दूसरा"), 1);
  EXPECT_EQ(reopened.Snapshot().Rows(), 1u);
}

TEST_F(WordHistoryTest, TheRarestAndOldestAreAgedOutPastTheBound) {
  {
    WordHistory history(file, clock.Options(20));
    // Ten words used three times, long ago.
    for (int n = 0; n < 10; ++n)
      for (int i = 0; i < 3; ++i) history.Record(u"", WordNumber(n));
    clock.now += 1000;
    // Fifteen used once, ten of them earlier than the rest: six of those
    // ten go, the last in code-unit order first.
    for (int n = 10; n < 25; ++n) {
      history.Record(u"", WordNumber(n));
      if (n == 19) clock.now += 1000;
    }
    EXPECT_EQ(history.Flush(), FlushResult::Written);
    EXPECT_EQ(history.Snapshot().Rows(), 19u);  // a twentieth below the bound
    for (int n = 0; n < 10; ++n) EXPECT_EQ(CountOf(history, WordNumber(n)), 3) << n;
    for (int n = 10; n < 14; ++n) EXPECT_EQ(CountOf(history, WordNumber(n)), 1) << n;
    for (int n = 14; n < 20; ++n) EXPECT_EQ(CountOf(history, WordNumber(n)), 0) << n;
    for (int n = 20; n < 25; ++n) EXPECT_EQ(CountOf(history, WordNumber(n)), 1) << n;
  }
  WordHistory reopened(file, clock.Options(20));
  EXPECT_EQ(reopened.Snapshot().Rows(), 19u);
  EXPECT_EQ(CountOf(reopened, WordNumber(13)), 1);
  EXPECT_EQ(CountOf(reopened, WordNumber(14)), 0);

  // Pairs count towards the bound and age by the same rule.
  {
    WordHistory history(file, clock.Options(20));
    clock.now += 1000;
    history.Record(WordNumber(0), WordNumber(1));
    history.Record(WordNumber(0), WordNumber(1));
    history.Record(u"", WordNumber(30));
    EXPECT_EQ(history.Flush(), FlushResult::Written);
    EXPECT_EQ(history.Snapshot().Rows(), 19u);
    EXPECT_EQ(PairCountOf(history, WordNumber(0), WordNumber(1)), 2);
    EXPECT_EQ(CountOf(history, WordNumber(12)), 0);
    EXPECT_EQ(CountOf(history, WordNumber(11)), 1);
    EXPECT_EQ(CountOf(history, WordNumber(30)), 1);
  }
}

TEST_F(WordHistoryTest, ForgetAndClearReachTheFileAndOtherStores) {
  WordHistory pad(file, clock.Options());
  pad.Record(u"", u"राम");
  pad.Record(u"राम", u"श्याम");
  pad.Record(u"श्याम", u"राम");
  pad.Record(u"श्याम", u"सीता");
  pad.Flush();
  WordHistory input(file, clock.Options());
  input.Forget(u"राम");
  EXPECT_EQ(CountOf(input, u"राम"), 0);
  EXPECT_EQ(PairCountOf(input, u"श्याम", u"राम"), 0);
  EXPECT_FALSE(input.HasPending());
  EXPECT_TRUE(pad.Refresh());
  EXPECT_EQ(CountOf(pad, u"राम"), 0);
  EXPECT_EQ(PairCountOf(pad, u"राम", u"श्याम"), 0);
  EXPECT_EQ(PairCountOf(pad, u"श्याम", u"सीता"), 1);
  EXPECT_EQ(CountOf(pad, u"श्याम"), 1);

  // A commit queued before Forget goes with it; another store's Forget
  // cannot reach a commit still queued here.
  pad.Record(u"", u"सीता");
  pad.Forget(u"सीता");
  pad.Record(u"", u"गीता");
  input.Forget(u"गीता");
  pad.Flush();
  {
    WordHistory third(file, clock.Options());
    EXPECT_EQ(CountOf(third, u"सीता"), 0);
    EXPECT_EQ(PairCountOf(third, u"श्याम", u"सीता"), 0);
    EXPECT_EQ(CountOf(third, u"गीता"), 1);
  }

  input.Clear();
  EXPECT_EQ(input.Snapshot().Rows(), 0u);
  EXPECT_TRUE(pad.Refresh());
  EXPECT_EQ(pad.Snapshot().Rows(), 0u);
  EXPECT_EQ(WordHistory(file, clock.Options()).Snapshot().Rows(), 0u);
}

TEST_F(WordHistoryTest, ANewFileAnotherProcessIsMakingIsWaitedFor) {
  // Another front end opening the same new file at the same moment holds it
  // for a few milliseconds while it is not yet a history.
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other,
                         "CREATE TABLE t(x); DROP TABLE t;"
                         " BEGIN IMMEDIATE",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  std::thread writer([other] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
  });
  WordHistory pad(file, clock.Options());
  writer.join();
  sqlite3_close(other);
  EXPECT_FALSE(pad.InMemoryOnly());
  EXPECT_TRUE(pad.TakeNotes().empty());
  pad.Record(u"", u"पहला");
  EXPECT_EQ(pad.Flush(), FlushResult::Written);
}

// Each child records its share of words with their pairs, flushing often,
// and exits 0 when every commit is written.
void CommitInChild(const std::filesystem::path& file, int child, int commits) {
  WordHistory history(file);
  std::u16string previous;
  for (int i = 0; i < commits; ++i) {
    const std::u16string word = WordNumber((i * 7 + child) % 40);
    history.Record(previous, word);
    previous = word;
    if (i % 3 == 2) history.Flush();
  }
  while (history.HasPending())
    if (history.Flush() == FlushResult::MemoryOnly) ::_exit(2);
  ::_exit(history.TakeNotes().empty() ? 0 : 3);
}

TEST_F(WordHistoryTest, ConcurrentWritersLoseNothing) {
  constexpr int kChildren = 2;
  constexpr int kCommits = 2000;
  std::vector<pid_t> children;
  for (int child = 0; child < kChildren; ++child) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) CommitInChild(file, child, kCommits);
    children.push_back(pid);
  }
  for (const pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
  }
  WordHistory history(file);
  std::int64_t words = 0;
  history.Snapshot().ForEachWordBeginningWith(
      u"", [&](const HistoryWord& word) { words += word.Entry.Count; });
  std::int64_t pairs = 0;
  history.Snapshot().ForEachPair(
      [&](std::u16string_view, const HistoryWord& word) { pairs += word.Entry.Count; });
  EXPECT_EQ(words, kChildren * kCommits);
  EXPECT_EQ(pairs, kChildren * (kCommits - 1));
  // Each child commits each of the forty words equally often.
  for (int n = 0; n < 40; ++n)
    EXPECT_EQ(CountOf(history, WordNumber(n)), kChildren * kCommits / 40) << n;
}

TEST_F(WordHistoryTest, AWriterKilledMidFlightLeavesEveryFlushedCommit) {
  int report[2];
  ASSERT_EQ(::pipe(report), 0);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::close(report[0]);
    WordHistory history(file);
    for (int n = 0;; ++n) {
      history.Record(n > 0 ? WordNumber(n - 1) : u"", WordNumber(n));
      if (history.Flush() == FlushResult::Written &&
          ::write(report[1], &n, sizeof n) != static_cast<ssize_t>(sizeof n))
        ::_exit(1);
    }
  }
  ::close(report[1]);
  int flushed = -1;
  while (flushed < 300)
    ASSERT_EQ(::read(report[0], &flushed, sizeof flushed), static_cast<ssize_t>(sizeof flushed));
  ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ::close(report[0]);
  EXPECT_TRUE(WIFSIGNALED(status));

  WordHistory history(file);
  EXPECT_TRUE(history.TakeNotes().empty());  // nothing set aside
  EXPECT_FALSE(history.InMemoryOnly());
  for (int n = 0; n <= flushed; ++n) {
    ASSERT_EQ(CountOf(history, WordNumber(n)), 1) << n;
    if (n > 0) {
      ASSERT_EQ(PairCountOf(history, WordNumber(n - 1), WordNumber(n)), 1) << n;
    }
  }
  history.Record(u"", u"फिर");
  EXPECT_EQ(history.Flush(), FlushResult::Written);
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes, long offset = 0) {
  std::fstream out(file, std::ios::binary | std::ios::in | std::ios::out);
  if (!out) out.open(file, std::ios::binary | std::ios::out);
  out.seekp(offset);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(WordHistoryTest, ADamagedFileIsSetAsideAndANewOneStarted) {
  const auto aside = folder / "history.sqlite.damaged-20240305-060708";

  // Not a database at all.
  WriteBytes(file, std::string(5000, 'x'));
  {
    WordHistory history(file, clock.Options());
    EXPECT_FALSE(history.InMemoryOnly());
    const auto notes = history.TakeNotes();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0],
              "history.sqlite was damaged (file is not a database); it is kept as "
              "history.sqlite.damaged-20240305-060708 and a new history is started");
    EXPECT_EQ(ReadBytes(aside), std::string(5000, 'x'));
    history.Record(u"", u"नया");
    EXPECT_EQ(history.Flush(), FlushResult::Written);
  }
  EXPECT_EQ(CountOf(WordHistory(file, clock.Options()), u"नया"), 1);

  // A database of some other layout: the second set-aside name of that second.
  std::filesystem::remove(file);
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "CREATE TABLE words(word TEXT)", nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(other);
  {
    WordHistory history(file, clock.Options());
    const auto notes = history.TakeNotes();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("(not a Lekhora history)"), std::string::npos) << notes[0];
    EXPECT_TRUE(std::filesystem::exists(folder / "history.sqlite.damaged-20240305-060708-2"));
    EXPECT_EQ(history.Snapshot().Rows(), 0u);
  }

  // A history whose pages were overwritten.
  std::filesystem::remove(file);
  {
    WordHistory history(file, clock.Options());
    for (int n = 0; n < 3000; ++n) history.Record(n > 0 ? WordNumber(n - 1) : u"", WordNumber(n));
    history.Flush();
  }
  ASSERT_FALSE(std::filesystem::exists(folder / "history.sqlite-wal"));  // checkpointed on close
  WriteBytes(file, std::string(8192, '\xA5'), 3 * 4096);
  clock.now += 1;
  {
    WordHistory history(file, clock.Options());
    const auto notes = history.TakeNotes();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("it is kept as history.sqlite.damaged-20240305-060709"),
              std::string::npos)
        << notes[0];
    EXPECT_FALSE(history.InMemoryOnly());
    EXPECT_EQ(history.Snapshot().Rows(), 0u);
  }
}

TEST_F(WordHistoryTest, WithoutAWritableFileTheStoreKeepsToMemory) {
  folder.Write("blocked", {'x'});
  for (const auto& file : {folder / "blocked" / "lekhora" / "history.sqlite", folder.path(),
                           std::filesystem::path()}) {
    WordHistory history(file, clock.Options(10));
    EXPECT_TRUE(history.InMemoryOnly()) << file;
    EXPECT_EQ(history.TakeNotes().size(), file.empty() ? 0u : 1u) << file;
    for (int n = 0; n < 12; ++n) EXPECT_TRUE(history.Record(u"", WordNumber(n)));
    EXPECT_EQ(CountOf(history, WordNumber(3)), 1);
    EXPECT_EQ(history.Flush(), FlushResult::MemoryOnly);
    EXPECT_FALSE(history.HasPending());
    EXPECT_LE(history.Snapshot().Rows(), 10u);  // bounded in memory too
    EXPECT_FALSE(history.Refresh());
    history.Forget(WordNumber(11));
    history.Clear();
    EXPECT_TRUE(history.TakeNotes().empty());  // said once
  }

  if (::geteuid() != 0) {  // the superuser writes it all the same
    {
      WordHistory history(file, clock.Options());
      history.Record(u"", u"पुराना");
    }
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    WordHistory history(file, clock.Options());
    EXPECT_TRUE(history.InMemoryOnly());
    EXPECT_EQ(history.TakeNotes().size(), 1u);
    EXPECT_EQ(CountOf(history, u"पुराना"), 1);  // still read
    history.Record(u"", u"पुराना");
    EXPECT_EQ(CountOf(history, u"पुराना"), 2);
  }
}

TEST_F(WordHistoryTest, TheHistoryIsPrivate) {
  const mode_t old = ::umask(022);
  const auto nested = folder / "new" / "lekhora" / "history.sqlite";
  {
    WordHistory history(nested);
    history.Record(u"", u"गुप्त");
    history.Flush();
    EXPECT_EQ(ModeOf(nested.parent_path()), 0700u);
    EXPECT_EQ(ModeOf(nested), 0600u);
    for (const char* log : {"-wal", "-shm"}) {
      auto beside = nested;
      beside += log;
      EXPECT_EQ(ModeOf(beside), 0600u) << log;
    }
  }
  ::umask(old);
}

}  // namespace
}  // namespace lekhora
