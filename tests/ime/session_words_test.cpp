// The user's words beside the bundled list: where they are read from, and how
// they join the candidates.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "base/data_files.h"
#include "engine/layout.h"
#include "ime/input_session.h"
#include "ime/shared_words.h"
#include "suggest/suggestions.h"
#include "tests/suggest/temp_folder.h"
#include "userdata/user_folders.h"

namespace lekhora {
namespace {

constexpr char16_t kKa = 0x0915, kKha = 0x0916, kAaSign = 0x093E, kMa = 0x092E, kRa = 0x0930,
                   kISign = 0x093F;

std::u16string U(std::initializer_list<char16_t> units) {
  return std::u16string(units);
}

SessionActions TypeAll(InputSession& s, std::string_view keys) {
  SessionActions last;
  for (char k : keys) last = s.Key(CharacterKey(static_cast<char32_t>(k)));
  return last;
}

std::shared_ptr<const Layout> Vimra() {
  return MakeLayout(kPhoneticVimraLayout);
}

const std::u16string kaam = U({kKa, kAaSign, kMa}), kaar = U({kKa, kAaSign, kRa}),
                     kaal = U({kKa, kAaSign, 0x0932}), ki = U({kKa, kISign}),
                     kaakh = U({kKa, kAaSign, kKha});

TEST(SessionWords, TheUsersWordsComeFirstAndEachWordOnce) {
  InputSession s(Vimra(), MakeSharedWords({kaam, kaar, kaal, ki}, {kaar, kaakh}));
  const SessionActions a = TypeAll(s, "ka");
  EXPECT_EQ(a.candidates, (std::vector<std::u16string>{kaakh, kaar, kaam, kaal}));
  // The highlight walks over both lists and stops at the last candidate.
  SessionActions moved;
  for (int i = 0; i < 6; ++i) moved = s.Key(NamedKey(ImeKey::Down, true));
  EXPECT_EQ(moved.highlight, 3);
  EXPECT_EQ(s.Key(NamedKey(ImeKey::Right, true)).commit, kaal);
  TypeAll(s, "ka");
  EXPECT_EQ(s.ClickCandidate(0).commit, kaakh);
  TypeAll(s, "ka");
  EXPECT_EQ(s.ClickCandidate(2).commit, kaam);
  TypeAll(s, "ka");
  s.Key(NamedKey(ImeKey::Up, true));  // already at the first
  EXPECT_EQ(s.Key(CharacterKey(U' ', true)).commit, kaakh);
}

TEST(SessionWords, AFullBundledListLeavesRoomForTheUsersWords) {
  // The bundled list takes every 16-bit index; a word of the user's that
  // sorts after all of it is still found.
  std::vector<std::u16string> bundled;
  for (int i = 0; i < kMaxWordListEntries - 1; ++i)
    bundled.push_back(
        U({kKa, static_cast<char16_t>(0x4E00 + i / 64), static_cast<char16_t>(0x4E00 + i % 64)}));
  const std::u16string last = U({kKa, 0xFFFD});
  InputSession s(Vimra(), MakeSharedWords(std::move(bundled), {last}));
  const SessionActions a = TypeAll(s, "k");
  ASSERT_FALSE(a.candidates.empty());
  EXPECT_EQ(a.candidates[0], last);
  EXPECT_EQ(a.candidates.size(), static_cast<std::size_t>(kCandidatePage));
}

TEST(SessionWords, PagesFollowTheHighlightPastTheUsersWords) {
  std::vector<std::u16string> bundled, user;
  for (char16_t i = 0; i < 20; ++i) bundled.push_back(U({kKa, static_cast<char16_t>(0x4E00 + i)}));
  user = {bundled[3], U({kKa, 0x4D00})};  // one shared, one the user's alone
  InputSession s(Vimra(), MakeSharedWords(bundled, user));
  TypeAll(s, "k");
  SessionActions a;
  for (int i = 0; i < kCandidatePage; ++i) a = s.Key(NamedKey(ImeKey::Down, true));
  // Candidate 9: the two user words, then bundled 0, 1, 2, 4 ... (3 is shown
  // as the user's), so bundled 8.
  EXPECT_EQ(a.highlight, 0);
  EXPECT_EQ(a.candidates[0], bundled[8]);
  for (int i = 0; i < 30; ++i) a = s.Key(NamedKey(ImeKey::Down, true));
  EXPECT_EQ(a.candidates.back(), bundled.back());
  EXPECT_EQ(a.candidates[static_cast<std::size_t>(a.highlight)], bundled.back());
  // The candidate window's page buttons turn pages the same way.
  a = s.MoveHighlight(-100);
  EXPECT_EQ(a.candidates[0], user[1]);
  EXPECT_EQ(a.highlight, 0);
  a = s.MoveHighlight(kCandidatePage);
  EXPECT_EQ(a.candidates[0], bundled[8]);
  a = s.MoveHighlight(1);
  EXPECT_EQ(a.highlight, 1);
  EXPECT_EQ(s.Key(NamedKey(ImeKey::Right, true)).commit, bundled[9]);
  // With nothing shown they change nothing.
  EXPECT_TRUE(s.MoveHighlight(1).candidates.empty());
}

// The pad's popup from the same model: its rows from the highlight on that
// begin with the prefix.
class PadRows final : public SuggestionView {
 public:
  void Show(const CandidatePage& page) override {
    matching.clear();
    for (std::size_t row = static_cast<std::size_t>(std::max(page.Highlight, 0));
         page.Highlight >= 0 && row < page.Words.size() && page.Words[row].starts_with(prefix);
         ++row)
      matching.emplace_back(page.Words[row]);
  }
  std::u16string prefix;
  std::vector<std::u16string> matching;
};

TEST(SessionWords, ThePadAndTheInputMethodShowTheSameCandidates) {
  const auto words = MakeSharedWords({kaam, kaar, kaal, ki, kaakh, U({kKha})});
  InputSession session(Vimra(), words);
  TypingState state;
  PadRows pad;
  Suggestions suggestions(state, words->Bundled, pad);
  for (const std::string_view keys : {"k", "ka", "kaa", "ki", "kh"}) {
    session.Reset();
    const SessionActions shown = TypeAll(session, keys);
    state.WordPrefix = pad.prefix = session.Preedit();
    suggestions.SearchList();
    suggestions.ShowSuggestions();
    EXPECT_EQ(pad.matching, shown.candidates) << keys;
    // Scrolled once, both highlight the same word.
    const SessionActions moved = session.Key(NamedKey(ImeKey::Down, true));
    suggestions.ScrollDown();
    if (moved.candidates.size() > 1) {
      EXPECT_EQ(pad.matching.front(), moved.candidates[static_cast<std::size_t>(moved.highlight)]);
    }
  }
}

class UserFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.WriteText(kCustomWordsFile, u"header\r\n" + kaar);
    ::setenv("XDG_DATA_HOME", (folder.path() / "data").c_str(), 1);
  }
  void TearDown() override { ::unsetenv("XDG_DATA_HOME"); }
  test::TempFolder folder;
};

TEST_F(UserFile, TheUsersListIsReadWhereThePadKeepsItAsThePadReadsIt) {
  const std::filesystem::path file = UserWordsFile();
  EXPECT_EQ(file, folder.path() / "data" / "lekhora" / "customwords.txt");
  // Not there yet: the shipped list stands in, and nothing is created.
  auto words = LoadSharedWords(folder.path(), file);
  EXPECT_EQ(words->User.WordCount, 1);
  EXPECT_EQ(words->User.WordList[0], kaar);
  EXPECT_FALSE(std::filesystem::exists(file.parent_path()));
  std::filesystem::create_directories(file.parent_path());
  const std::u16string longLine(kMaxUserWordUnits + 1, u'x');
  {
    std::ofstream out(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes =
        Utf16ToBytes(u"header\r\n" + ki + u"\r\n" + longLine + u"\r\n" + kaakh + u"\r\n");
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  words = LoadSharedWords(folder.path(), file);
  EXPECT_EQ(words->User.WordList, (WordArray{kaakh, ki, u""}));
  // A list the pad would set aside is not searched: the shipped words are
  // what the pad shows meanwhile.
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    const std::vector<std::uint8_t> bytes = Utf16ToBytes(u"header\r\n" + ki + u"\r\n");
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.write("\0\0", 2);  // U+0000: no text of the pad's
  }
  EXPECT_EQ(LoadSharedWords(folder.path(), file)->User.WordList[0], kaar);
  // A pipe in its place is never waited on.
  std::filesystem::remove(file);
  ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
  EXPECT_EQ(LoadSharedWords(folder.path(), file)->User.WordList[0], kaar);
}

TEST_F(UserFile, AChangedListReachesTheSessionsAtTheirNextFocus) {
  const std::filesystem::path file = folder.path() / "mine.txt";
  WordsSource source(folder.path(), file);
  const auto shipped = source.Current();
  EXPECT_EQ(source.Current(), shipped);  // nothing changed: the same words
  EXPECT_EQ(shipped->User.WordList[0], kaar);
  {
    std::ofstream out(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes = Utf16ToBytes(u"header\r\n" + kaakh);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  const auto mine = source.Current();
  ASSERT_NE(mine, shipped);
  EXPECT_EQ(mine->User.WordList[0], kaakh);
  // Only what the user added counts as the user's own.
  EXPECT_TRUE(AddedWords(*shipped).empty());
  EXPECT_EQ(AddedWords(*mine), std::vector<std::u16string>{kaakh});
  EXPECT_EQ(mine->Bundled.WordList, shipped->Bundled.WordList);

  InputSession s(Vimra(), shipped);
  s.SetSuggestionsOn(false);
  TypeAll(s, "ka");
  // The word being typed goes in before the words change; the choice to
  // show no suggestions stays.
  EXPECT_EQ(s.SetWords(mine).commit, U({kKa, kAaSign}));
  EXPECT_TRUE(TypeAll(s, "ka").candidates.empty());
  s.Reset();
  s.SetSuggestionsOn(true);
  EXPECT_EQ(TypeAll(s, "ka").candidates[0], kaakh);
}

}  // namespace
}  // namespace lekhora
