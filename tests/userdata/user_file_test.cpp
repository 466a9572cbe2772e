#include "userdata/user_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/files.h"
#include "base/folder_lock.h"
#include "base/utf16.h"
#include "tests/suggest/temp_folder.h"
#include "userdata/pad_files.h"

namespace lekhora {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::TempFolder;

Bytes Utf8(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

UserFileState StateOf(UserFileKind kind, const Bytes& bytes) {
  return JudgeUserFile(kind, bytes).State;
}

std::string ProblemOf(UserFileKind kind, const Bytes& bytes) {
  return JudgeUserFile(kind, bytes).Problem;
}

// 2024-03-05 06:07:08 UTC.
std::chrono::system_clock::time_point SomeMoment() {
  using namespace std::chrono;
  return sys_days{year{2024} / 3 / 5} + hours{6} + minutes{7} + seconds{8};
}

TEST(JudgeUserFile, WordListsAreWholeUtf16Text) {
  constexpr auto kList = UserFileKind::WordList;
  EXPECT_EQ(StateOf(kList, Utf16ToBytes(u"head\r\n\u0915\r\n")), UserFileState::Usable);
  // A pair of surrogates and a byte-order mark are text.
  EXPECT_EQ(StateOf(kList, Utf16ToBytes(u"\uFEFFh\r\n\U0001F600")), UserFileState::Usable);
  EXPECT_EQ(StateOf(kList, {}), UserFileState::Empty);

  Bytes cut = Utf16ToBytes(u"head\r\n\u0915");
  cut.pop_back();
  EXPECT_EQ(ProblemOf(kList, cut), "truncated");
  EXPECT_EQ(ProblemOf(kList, Utf16ToBytes(u"h\r\n\xD83D")), "truncated");  // half a pair at the end
  EXPECT_EQ(ProblemOf(kList, Utf16ToBytes(u"h\r\n\xD83Dx")), "binary");
  EXPECT_EQ(ProblemOf(kList, Utf16ToBytes(u"h\r\n\xDE00")), "binary");
  EXPECT_EQ(ProblemOf(kList, Bytes{0x68, 0, 0, 0}), "binary");          // U+0000
  EXPECT_EQ(ProblemOf(kList, Bytes{0xFE, 0xFF, 0, 0x68}), "binary");    // big-endian
  EXPECT_EQ(StateOf(kList, Bytes{0x89, 0x50}), UserFileState::Usable);  // no way to tell
  EXPECT_EQ(JudgeUserFile(kList, Bytes(kUserFileLimit + 2, 0x41)).Problem, "larger than 16 MB");
  EXPECT_EQ(StateOf(kList, Bytes(kUserFileLimit, 0x41)), UserFileState::Usable);
}

TEST(JudgeUserFile, Utf8FilesEndWithALineFeed) {
  constexpr auto kLines = UserFileKind::Utf8Lines;
  EXPECT_EQ(StateOf(kLines, Utf8("[General]\nlayout=Phonetic\n")), UserFileState::Usable);
  // The text box's control characters stay text (they come in by pasting).
  EXPECT_EQ(StateOf(kLines, Utf8("\t\x07\xE0\xA4\x95\r\n")), UserFileState::Usable);
  EXPECT_EQ(StateOf(kLines, {}), UserFileState::Empty);
  EXPECT_EQ(ProblemOf(kLines, Utf8("layout=Phon")), "truncated");
  EXPECT_EQ(ProblemOf(kLines, Utf8("\xE0\xA4\x95\xE0\xA4")), "truncated");  // KA and half the next
  EXPECT_EQ(ProblemOf(kLines, Utf8("\xE0\xA4x\n")), "binary");
  EXPECT_EQ(ProblemOf(kLines, Bytes{0xFF, 0xFE, 'h', 0, '\n'}), "binary");
  EXPECT_EQ(ProblemOf(kLines, Bytes{'a', 0, '\n'}), "binary");
  EXPECT_EQ(ProblemOf(kLines, Bytes{0x89, 'P', 'N', 'G', '\n'}), "binary");
}

TEST(ReadUserFile, OnlyRegularReadableFilesOfAtMost16MegabytesAreRead) {
  TempFolder folder;
  EXPECT_EQ(ReadUserFile(folder / "none", UserFileKind::Utf8Lines).State, UserFileState::Missing);
  folder.Write("ok", Utf8("a\n"));
  const UserFileRead ok = ReadUserFile(folder / "ok", UserFileKind::Utf8Lines);
  EXPECT_EQ(ok.State, UserFileState::Usable);
  EXPECT_EQ(ok.Bytes, Utf8("a\n"));

  std::filesystem::create_directory(folder / "dir");
  const UserFileRead dir = ReadUserFile(folder / "dir", UserFileKind::Utf8Lines);
  EXPECT_EQ(dir.State, UserFileState::Unusable);
  EXPECT_EQ(dir.Problem, "not a regular file");
  // A pipe would block a reader that opened it.
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
  EXPECT_EQ(ReadUserFile(folder / "fifo", UserFileKind::WordList).State, UserFileState::Unusable);

  // Too large: judged by its size alone.
  folder.Write("huge", {});
  std::filesystem::resize_file(folder / "huge", kUserFileLimit + 1);
  EXPECT_EQ(ReadUserFile(folder / "huge", UserFileKind::WordList).Problem, "larger than 16 MB");

  folder.Write("locked", Utf8("a\n"));
  std::filesystem::permissions(folder / "locked", std::filesystem::perms::none);
  if (::geteuid() != 0) {  // the superuser reads it all the same
    const UserFileRead locked = ReadUserFile(folder / "locked", UserFileKind::Utf8Lines);
    EXPECT_EQ(locked.State, UserFileState::Unusable);
    EXPECT_EQ(locked.Problem, "unreadable");
  }
}

TEST(DamagedFile, IsSetAsideUnderATimestampedNameThatTakesNoOther) {
  TempFolder folder;
  const auto file = folder / "customwords.txt";
  EXPECT_EQ(DamagedFileName(file, SomeMoment())->filename(),
            "customwords.txt.damaged-20240305-060708");
  folder.Write("customwords.txt", {1, 2, 3});
  const auto first = SetDamagedFileAside(file, SomeMoment());
  ASSERT_TRUE(first.has_value());
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(folder.Read(first->filename().string()), (Bytes{1, 2, 3}));

  // The same second again: the earlier one is kept.
  folder.Write("customwords.txt", {4});
  const auto second = SetDamagedFileAside(file, SomeMoment());
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(second->filename(), "customwords.txt.damaged-20240305-060708-2");
  EXPECT_EQ(folder.Read(first->filename().string()), (Bytes{1, 2, 3}));
  EXPECT_EQ(DamagedFileName(file, SomeMoment())->filename(),
            "customwords.txt.damaged-20240305-060708-3");
  EXPECT_FALSE(SetDamagedFileAside(folder / "gone", SomeMoment()).has_value());
}

TEST(DamagedFile, ANameTooLongForTheFileSystemEndsTheSearchAndTheFileStays) {
  TempFolder folder;
  // Folders nested until the file's path is just within the path limit
  // (4096 bytes with its end) and the set-aside name past it. Before, the
  // search for a free name never ended.
  std::filesystem::path deep = folder.path();
  while (deep.native().size() + 241 < 4070) deep /= std::string(240, 'd');
  deep /= std::string(4070 - deep.native().size() - 1, 'e');
  std::filesystem::create_directories(deep);
  const auto file = deep / "text.txt";
  { std::ofstream(file) << "x"; }
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_FALSE(DamagedFileName(file, SomeMoment()).has_value());
  EXPECT_FALSE(SetDamagedFileAside(file, SomeMoment()).has_value());
  EXPECT_TRUE(std::filesystem::exists(file));
}

TEST(RemoveStaleTemporaries, RemovesWhatAKilledSaveOfThatFileLeftAndNothingElse) {
  TempFolder folder;
  const auto text = folder / "text.txt";
  // What a save of text.txt killed in the middle of writing leaves.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::alarm(60);
    for (;;) ReplaceFile(text, Bytes(64 << 20, 'a'), "test");
  }
  // Killed once a temporary is there, as it is for most of each save.
  const auto filesBeside = [&folder] {
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path(), ec))
      if (entry.path().filename() != "text.txt") found.push_back(entry.path());
    return found;
  };
  for (int i = 0; i < 6000 && filesBeside().empty(); ++i) ::usleep(1000);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  const std::vector<std::filesystem::path> leftOver = filesBeside();
  ASSERT_EQ(leftOver.size(), 1u) << "no temporary left by the killed save";
  const std::filesystem::path left = leftOver[0];
  EXPECT_TRUE(IsTemporaryNameFor(text, left.filename()));

  const auto words = folder / "customwords.txt";
  const std::filesystem::path others[] = {
      TemporaryNameFor(words),  // another file's
      folder / ".lekhora-0123abcd.tmpx", folder / (left.filename().string() + "x"),
      folder / "text.txt.damaged-20240305-060708", folder / "notes.tmp"};
  for (const auto& other : others) folder.Write(other.filename().string(), {1});
  const auto named = TemporaryNameFor(text);
  EXPECT_NE(named, TemporaryNameFor(text));
  folder.Write(named.filename().string(), {1});
  folder.Write(".lekhora-0123abcd.tmp", {1});                 // an earlier version's, unmarked
  std::filesystem::create_directory(TemporaryNameFor(text));  // not a file: stays

  RemoveStaleTemporaries(text);
  EXPECT_FALSE(std::filesystem::exists(left));
  EXPECT_FALSE(std::filesystem::exists(named));
  EXPECT_FALSE(std::filesystem::exists(folder / ".lekhora-0123abcd.tmp"));
  for (const auto& other : others) EXPECT_TRUE(std::filesystem::exists(other)) << other;
  RemoveStaleTemporaries(folder / "missing" / "text.txt");  // no folder: nothing happens
}

TEST(UserFiles, AreTheUsersAloneWhateverTheUmaskAndKeepAModeTheUserSet) {
  TempFolder folder;
  const mode_t saved = ::umask(022);
  const auto below = folder / "a" / "b";
  EXPECT_TRUE(CreatePrivateFolders(below));
  ReplaceOptions options;
  options.Private = true;
  ReplaceFile(below / "text.txt", Utf8("x\n"), "test", options);
  ReplaceFile(folder / "shared.txt", Utf8("x\n"), "test");  // the tools' files
  struct stat st {};
  ASSERT_EQ(::stat((folder / "a").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_EQ(::stat(below.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_EQ(::stat((below / "text.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ASSERT_EQ(::stat((folder / "shared.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  // A mode the user chose stays, and so does a folder that was there.
  ::chmod((below / "text.txt").c_str(), 0640);
  ::chmod(folder.path().c_str(), 0755);
  ReplaceFile(below / "text.txt", Utf8("y\n"), "test", options);
  EXPECT_TRUE(CreatePrivateFolders(below));
  ASSERT_EQ(::stat((below / "text.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  ASSERT_EQ(::stat(folder.path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0755u);
  ::umask(saved);
  folder.Write("file", {1});
  EXPECT_FALSE(CreatePrivateFolders(folder / "file" / "below"));
}

TEST(UserFiles, AreNeverWrittenThroughALinkThatLeadsOutOfTheirFolder) {
  TempFolder folder;
  const auto own = folder / "lekhora";
  std::filesystem::create_directories(own / "sub");
  folder.Write("outside.txt", Utf8("keep\n"));
  std::filesystem::create_symlink(folder / "outside.txt", own / "out.conf");
  std::filesystem::create_symlink("../outside.txt", own / "relative.conf");
  std::filesystem::create_symlink(folder / "gone.txt", own / "dangling.conf");
  std::filesystem::create_symlink("sub/in.txt", own / "in.conf");
  ReplaceOptions options;
  options.Within = own;
  for (const char* name : {"out.conf", "relative.conf", "dangling.conf"}) {
    EXPECT_TRUE(LinkLeadsOutside(own / name, own)) << name;
    EXPECT_THROW(ReplaceFile(own / name, Utf8("new\n"), "test", options), Error) << name;
    const UserFileRead read = ReadUserFile(own / name, UserFileKind::Utf8Lines);
    EXPECT_EQ(read.State, UserFileState::Unusable) << name;
    EXPECT_EQ(read.Problem, "a link to a file outside its folder");
  }
  EXPECT_EQ(folder.Read("outside.txt"), Utf8("keep\n"));
  EXPECT_FALSE(std::filesystem::exists(folder / "gone.txt"));
  // A link within the folder is followed, and stays a link.
  EXPECT_FALSE(LinkLeadsOutside(own / "in.conf", own));
  ReplaceFile(own / "in.conf", Utf8("new\n"), "test", options);
  EXPECT_TRUE(std::filesystem::is_symlink(own / "in.conf"));
  EXPECT_EQ(folder.Read("lekhora/sub/in.txt"), Utf8("new\n"));
}

TEST(FolderLock, OneHolderAtATimeAndNoneInAFolderThatCannotHoldIt) {
  TempFolder folder;
  {
    FolderLock first(folder.path());
    EXPECT_EQ(first.State(), FolderLockState::Held);
    FolderLock second(folder.path());
    EXPECT_EQ(second.State(), FolderLockState::HeldElsewhere);
  }
  EXPECT_EQ(FolderLock(folder.path()).State(), FolderLockState::Held);
  EXPECT_EQ(FolderLock(folder / "missing").State(), FolderLockState::Unsure);
}

TEST(TextFile, KeepsTheTextAsUtf8WithAFinalLineFeed) {
  const std::u16string text = u"\u0915\u093E\nab\n";
  const Bytes bytes = TextFileBytes(text);
  EXPECT_EQ(bytes, Utf8("\xE0\xA4\x95\xE0\xA4\xBE\nab\n\n"));
  EXPECT_EQ(JudgeUserFile(UserFileKind::Utf8Lines, bytes).State, UserFileState::Usable);
  EXPECT_EQ(TextFromFileBytes(bytes), text);
  // Even an empty text is a file the pad can tell from a cut one.
  EXPECT_EQ(TextFileBytes(u""), Utf8("\n"));
  EXPECT_EQ(TextFromFileBytes(Utf8("\n")), u"");
}

// The pad's settings and text files, as PadFiles reads and saves them.
struct Home {
  TempFolder root;
  UserFolders folders{root / "data", root / "config"};
  int Aside(const std::filesystem::path& folder, const std::string& name) const {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      count += entry.path().filename().string().starts_with(name + ".damaged-");
    return count;
  }
};

TEST(PadFiles, TheTextAndTheSettingsComeBackAsSaved) {
  Home home;
  {
    PadFiles files(home.folders);
    EXPECT_TRUE(files.HoldsDataFolder());
    EXPECT_EQ(files.ReadSettings(), std::nullopt);
    EXPECT_EQ(files.ReadText(), u"");
    EXPECT_EQ(files.SaveText(u"\u0915\n"), SaveResult::Saved);
    EXPECT_EQ(files.SaveSettings("[General]\nlayout=Inscript\n"), SaveResult::Saved);
    EXPECT_TRUE(files.TakeNotes().empty());
  }
  PadFiles again(home.folders);
  EXPECT_EQ(again.ReadText(), u"\u0915\n");
  const auto values = again.ReadSettings();
  ASSERT_TRUE(values.has_value());
  EXPECT_EQ(TextValue(*values, "layout"), u"Inscript");
  EXPECT_EQ(home.root.Read("data/text.txt"), Utf8("\xE0\xA4\x95\n\n"));
}

TEST(PadFiles, DamagedFilesAreSetAsideAndUnusableOnesNeverWritten) {
  Home home;
  std::filesystem::create_directories(home.folders.Config);
  std::filesystem::create_directories(home.folders.Data);
  home.root.Write("config/lekhora.conf", Utf8("Dear diary,\n"));
  home.root.Write("data/text.txt", Utf8("cut sh"));
  PadFiles files(home.folders);
  EXPECT_EQ(files.ReadSettings(), std::nullopt);
  EXPECT_EQ(files.ReadText(), u"");
  EXPECT_EQ(home.Aside(home.folders.Config, "lekhora.conf"), 1);
  EXPECT_EQ(home.Aside(home.folders.Data, "text.txt"), 1);
  const std::vector<std::string> notes = files.TakeNotes();
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_TRUE(notes[0].starts_with("lekhora.conf was not a settings file; it is kept as "));
  EXPECT_TRUE(notes[1].starts_with("text.txt was truncated; it is kept as "));
  // Set aside, the names are free for the next save.
  EXPECT_EQ(files.SaveText(u"new"), SaveResult::Saved);

  // A folder in the settings file's place is the user's: never replaced.
  Home other;
  std::filesystem::create_directories(other.folders.Config / "lekhora.conf");
  PadFiles left(other.folders);
  EXPECT_EQ(left.ReadSettings(), std::nullopt);
  EXPECT_EQ(left.TakeNotes(),
            std::vector<std::string>{
                "lekhora.conf is not a regular file; it is left as it is and not saved"});
  EXPECT_EQ(left.SaveSettings("[General]\n"), SaveResult::Kept);
  EXPECT_TRUE(std::filesystem::is_directory(other.folders.Config / "lekhora.conf"));
}

TEST(PadFiles, ASecondPadLeavesTheTextToTheFirst) {
  Home home;
  PadFiles first(home.folders);
  EXPECT_EQ(first.SaveText(u"first"), SaveResult::Saved);
  home.root.Write("data/text.txt", Utf8("cut by the first pad's save"));
  PadFiles second(home.folders);
  EXPECT_FALSE(second.HoldsDataFolder());
  EXPECT_EQ(second.TakeNotes(),
            std::vector<std::string>{"Another Lekhora is running; text.txt is left to it and not "
                                     "saved"});
  // What looks damaged may be the other pad's save under way: left alone.
  EXPECT_EQ(second.ReadText(), u"");
  EXPECT_EQ(home.Aside(home.folders.Data, "text.txt"), 0);
  EXPECT_EQ(second.SaveText(u"second"), SaveResult::Kept);
  EXPECT_EQ(home.root.Read("data/text.txt"), Utf8("cut by the first pad's save"));
  // The settings are not the lock's: the second pad keeps them too.
  EXPECT_EQ(second.SaveSettings("[General]\n"), SaveResult::Saved);
}

TEST(PadFiles, ATextTooLargeToReadBackIsNotSavedAndSaidOnce) {
  Home home;
  PadFiles files(home.folders);
  EXPECT_EQ(files.SaveText(u"small"), SaveResult::Saved);
  const std::u16string large(kUserFileLimit, u'a');
  EXPECT_EQ(files.SaveText(large), SaveResult::Kept);
  EXPECT_EQ(files.SaveText(large), SaveResult::Kept);
  EXPECT_EQ(files.TakeNotes(),
            std::vector<std::string>{"The text is larger than 16 MB and is not saved"});
  EXPECT_EQ(home.root.Read("data/text.txt"), Utf8("small\n"));

  // A folder that cannot be made: the caller warns.
  home.root.Write("blocked", Utf8("a file\n"));
  PadFiles nowhere(UserFolders{home.root / "blocked" / "data", home.root / "blocked" / "c"});
  EXPECT_EQ(nowhere.SaveText(u"x"), SaveResult::Failed);
  EXPECT_EQ(nowhere.SaveSettings("[General]\n"), SaveResult::Failed);
}

}  // namespace
}  // namespace lekhora
