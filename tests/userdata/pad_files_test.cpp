#include "userdata/pad_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/files.h"
#include "tests/suggest/temp_folder.h"

namespace lekhora {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::TempFolder;

Bytes Utf8(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

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
