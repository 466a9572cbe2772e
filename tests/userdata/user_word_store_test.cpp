#include "userdata/user_word_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/utf16.h"
#include "suggest/word_lists.h"
#include "tests/suggest/temp_folder.h"

namespace lekhora {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Words = std::vector<std::u16string>;
using test::TempFolder;

const std::u16string kShipped = u"Shipped words\r\n\u0915\r\n\u092E";

Words Shown(const UserWordStore& store) {
  return Words(store.Words().Words().begin(), store.Words().Words().end());
}

// A program folder with its list, and a user folder not made yet.
struct Folders {
  TempFolder root;
  std::filesystem::path program = root / "program";
  std::filesystem::path user = root / "home" / "lekhora";
  Folders() {
    std::filesystem::create_directories(program);
    Ship(Utf16ToBytes(kShipped));
  }
  void Ship(const Bytes& bytes) const { root.Write("program/customwords.txt", bytes); }
  UserWordStore Store() const { return {user / "customwords.txt", program / "customwords.txt"}; }
  Bytes UserBytes() const { return root.Read("home/lekhora/customwords.txt"); }
  Bytes ShippedBytes() const { return root.Read("program/customwords.txt"); }
  std::vector<std::string> Aside() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(user))
      if (entry.path().filename().string().starts_with("customwords.txt.damaged-"))
        names.push_back(entry.path().filename().string());
    return names;
  }
};

TEST(UserWordStore, AMissingListIsACopyOfTheShippedOneWhichIsNeverWritten) {
  Folders folders;
  UserWordStore store = folders.Store();
  EXPECT_EQ(store.Load(), "");
  EXPECT_EQ(folders.UserBytes(), Utf16ToBytes(kShipped));
  EXPECT_EQ(Shown(store), (Words{u"\u0915", u"\u092E"}));
  EXPECT_TRUE(store.TakeNotes().empty());

  const UserWordStore::Change added = store.Add(u"\u0916");
  EXPECT_EQ(added.Edit, WordEdit::Done);
  EXPECT_TRUE(added.Saved);
  EXPECT_EQ(folders.UserBytes(), Utf16ToBytes(kShipped + u"\r\n\u0916"));
  const UserWordStore::Change removed = store.Remove(0, u"\u0915");
  EXPECT_TRUE(removed.Saved);
  EXPECT_EQ(folders.UserBytes(), Utf16ToBytes(u"Shipped words\r\n\u092E\r\n\u0916"));
  EXPECT_EQ(folders.ShippedBytes(), Utf16ToBytes(kShipped));

  // The next start reads the user's list as it was left.
  UserWordStore again = folders.Store();
  EXPECT_EQ(again.Load(), "");
  EXPECT_EQ(Shown(again), (Words{u"\u092E", u"\u0916"}));
}

TEST(UserWordStore, WithoutAShippedListTheUserListStartsWithItsFirstLineOnly) {
  Folders folders;
  std::filesystem::remove(folders.program / "customwords.txt");
  UserWordStore store = folders.Store();
  EXPECT_EQ(store.Load(), "");
  EXPECT_EQ(folders.UserBytes(), Utf16ToBytes(kUserWordsHeader));
  EXPECT_TRUE(Shown(store).empty());
  EXPECT_FALSE(std::filesystem::exists(folders.program / "customwords.txt"));
}

TEST(UserWordStore, ADamagedListIsSetAsideWholeAndMadeAnew) {
  for (const Bytes& damaged :
       {Bytes{0x15, 0x09, 0x0D}, Utf16ToBytes(std::u16string(u"x\r\n\0y", 5))}) {
    Folders folders;
    std::filesystem::create_directories(folders.user);
    folders.root.Write("home/lekhora/customwords.txt", damaged);
    UserWordStore store = folders.Store();
    EXPECT_EQ(store.Load(), "");
    const std::vector<std::string> aside = folders.Aside();
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(folders.root.Read("home/lekhora/" + aside[0]), damaged);
    EXPECT_EQ(folders.UserBytes(), Utf16ToBytes(kShipped));
    const std::vector<std::string> notes = store.TakeNotes();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find(aside[0]), std::string::npos);
  }
}

TEST(UserWordStore, AnEmptyListShowsTheShippedWordsUntilTheFirstChange) {
  Folders folders;
  std::filesystem::create_directories(folders.user);
  folders.root.Write("home/lekhora/customwords.txt", {});
  UserWordStore store = folders.Store();
  EXPECT_EQ(store.Load(), "");
  EXPECT_EQ(Shown(store), (Words{u"\u0915", u"\u092E"}));
  EXPECT_TRUE(folders.UserBytes().empty());
  EXPECT_EQ(store.TakeNotes().size(), 1u);
  EXPECT_TRUE(store.Add(u"\u0916").Saved);
  EXPECT_EQ(folders.UserBytes(), Utf16ToBytes(kShipped + u"\r\n\u0916"));
}

TEST(UserWordStore, AListThatCannotBeReadIsLeftAlone) {
  Folders folders;
  std::filesystem::create_directories(folders.user / "customwords.txt");
  UserWordStore store = folders.Store();
  EXPECT_EQ(store.Load(), "");
  EXPECT_EQ(Shown(store), (Words{u"\u0915", u"\u092E"}));
  EXPECT_EQ(store.TakeNotes().size(), 1u);
  // Changes hold for the run and never replace what is there.
  const UserWordStore::Change added = store.Add(u"\u0916");
  EXPECT_EQ(added.Edit, WordEdit::Done);
  EXPECT_FALSE(added.Saved);
  EXPECT_EQ(added.SaveError, "");
  EXPECT_EQ(Shown(store).back(), u"\u0916");
  EXPECT_TRUE(std::filesystem::is_directory(folders.user / "customwords.txt"));
  EXPECT_TRUE(folders.Aside().empty());
}

TEST(UserWordStore, EachChangeStartsFromTheFileAsItIsNow) {
  Folders folders;
  UserWordStore store = folders.Store();
  store.Load();
  // Edited by hand while the pad runs.
  folders.root.Write("home/lekhora/customwords.txt", Utf16ToBytes(u"mine\r\na\r\nb"));
  EXPECT_EQ(store.Add(u"a").Edit, WordEdit::AlreadyThere);
  EXPECT_EQ(Shown(store), (Words{u"a", u"b"}));
  EXPECT_TRUE(store.Add(u"c").Saved);
  EXPECT_EQ(folders.UserBytes(), Utf16ToBytes(u"mine\r\na\r\nb\r\nc"));
  // Gone bad meanwhile: set aside before the change is written.
  folders.root.Write("home/lekhora/customwords.txt", {0, 0, 0});
  const UserWordStore::Change removed = store.Remove(0, u"a");
  EXPECT_EQ(removed.Edit, WordEdit::Done);
  EXPECT_TRUE(removed.Saved);
  EXPECT_EQ(folders.UserBytes(), Utf16ToBytes(u"mine\r\nb\r\nc"));
  ASSERT_EQ(folders.Aside().size(), 1u);
  EXPECT_EQ(folders.root.Read("home/lekhora/" + folders.Aside()[0]), (Bytes{0, 0, 0}));
  EXPECT_EQ(store.Remove(0, u"zz").Edit, WordEdit::NotThere);
}

TEST(UserWordStore, AFolderThatCannotBeWrittenKeepsTheChangesInMemory) {
  Folders folders;
  folders.root.Write("home", {1});  // a file where the folder would go
  UserWordStore store = folders.Store();
  EXPECT_NE(store.Load(), "");
  EXPECT_EQ(Shown(store), (Words{u"\u0915", u"\u092E"}));
  const UserWordStore::Change added = store.Add(u"\u0916");
  EXPECT_EQ(added.Edit, WordEdit::Done);
  EXPECT_FALSE(added.Saved);
  EXPECT_NE(added.SaveError, "");
  EXPECT_EQ(Shown(store).back(), u"\u0916");
  EXPECT_EQ(folders.root.Read("home"), Bytes{1});
}

TEST(UserWordStore, AShippedListLinkedFromElsewhereIsReadAUserListLinkedOutIsNeverWritten) {
  Folders folders;
  folders.root.Write("elsewhere.txt", Utf16ToBytes(kShipped));
  std::filesystem::remove(folders.program / "customwords.txt");
  std::filesystem::create_symlink(folders.root / "elsewhere.txt",
                                  folders.program / "customwords.txt");
  std::filesystem::create_directories(folders.user);
  std::filesystem::create_symlink(folders.root / "elsewhere.txt", folders.user / "customwords.txt");
  UserWordStore store = folders.Store();
  EXPECT_EQ(store.Load(), "");
  EXPECT_EQ(Shown(store), (Words{u"\u0915", u"\u092E"}));
  const auto notes = store.TakeNotes();
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("a link to a file outside its folder"), std::string::npos);
  EXPECT_FALSE(store.Add(u"\u0916").Saved);
  EXPECT_EQ(folders.root.Read("elsewhere.txt"), Utf16ToBytes(kShipped));
  EXPECT_TRUE(std::filesystem::is_symlink(folders.user / "customwords.txt"));
}

TEST(WordsToShow, TheUsersListWhenThePadCanUseItElseTheShippedOneWritingNothing) {
  Folders folders;
  const std::filesystem::path user = folders.user / "customwords.txt";
  const std::filesystem::path shipped = folders.program / "customwords.txt";
  const auto shown = [&] {
    const UserWords words = WordsToShow(user, shipped);
    return Words(words.Words().begin(), words.Words().end());
  };
  // No list yet: the shipped one, and nothing is made.
  EXPECT_EQ(shown(), (Words{u"\u0915", u"\u092E"}));
  EXPECT_FALSE(std::filesystem::exists(folders.user));

  std::filesystem::create_directories(folders.user);
  const auto write = [&](const Bytes& bytes) {
    folders.root.Write("home/lekhora/customwords.txt", bytes);
  };
  // Every line after the first, a final CR LF giving one empty entry.
  write(Utf16ToBytes(u"x\r\ny\r\nz"));
  EXPECT_EQ(shown(), (Words{u"y", u"z"}));
  write(Utf16ToBytes(u"x\r\ny\r\n"));
  EXPECT_EQ(shown(), (Words{u"y", u""}));
  write(Utf16ToBytes(u"only the explanation"));
  EXPECT_EQ(shown(), Words{});

  // Whatever the pad would not use shows the shipped words, and the reader
  // leaves the file as it is (setting aside is the pad's).
  const Bytes odd{0x15, 0x09, 0x0D, 0x00, 0x0A, 0x00, 0x42};
  for (const Bytes& unusable : {Bytes{}, odd, Utf16ToBytes(std::u16string(u"h\r\n\u0915\0", 5))}) {
    write(unusable);
    EXPECT_EQ(shown(), (Words{u"\u0915", u"\u092E"}));
    EXPECT_EQ(folders.UserBytes(), unusable);
  }
  std::filesystem::remove(user);
  std::filesystem::create_directory(user);
  EXPECT_EQ(shown(), (Words{u"\u0915", u"\u092E"}));
  std::filesystem::remove(user);
  std::filesystem::create_symlink("/dev/zero", user);
  EXPECT_EQ(shown(), (Words{u"\u0915", u"\u092E"}));
  EXPECT_EQ(ReadUsableWords(user), std::nullopt);

  // Without a program folder there is nothing to stand in.
  EXPECT_EQ(WordsToShow(user, {}).Words().size(), 0u);
  EXPECT_EQ(ReadUsableWords({}), std::nullopt);
}

TEST(WordRows, FollowTheEntriesAsWordsComeAndGoLeavingOverlongLinesUnshown) {
  const std::u16string longLine(kMaxUserWordUnits + 1, u'x');
  WordRows rows;
  rows.Fill(Words{u"a", longLine, u"b", u""});
  EXPECT_EQ(rows.Count(), 3u);
  EXPECT_EQ(rows.IndexOfRow(1), 2u);
  EXPECT_EQ(rows.IndexOfRow(2), 3u);
  EXPECT_FALSE(rows.IndexOfRow(3).has_value());
  // Added before the final empty entry: the row before its row.
  EXPECT_EQ(rows.Inserted(3, true), 2u);
  EXPECT_EQ(rows.IndexOfRow(3), 4u);
  EXPECT_FALSE(rows.Inserted(0, false).has_value());  // an overlong one: no row
  EXPECT_EQ(rows.IndexOfRow(0), 1u);
  EXPECT_EQ(rows.Removed(1), 0u);
  EXPECT_EQ(rows.IndexOfRow(0), 2u);
  EXPECT_FALSE(rows.Removed(0).has_value());
  EXPECT_EQ(rows.IndexOfRow(0), 1u);
  EXPECT_EQ(rows.Count(), 3u);
}

}  // namespace
}  // namespace lekhora
