// The bundled word list beside this test, searched the way the typing window
// searches it.

#include <gtest/gtest.h>

#include <string>

#include "base/data_files.h"
#include "base/read_whole_file.h"
#include "engine/key_replay.h"
#include "engine/layout.h"
#include "engine/memory_text_box.h"
#include "engine/typing_engine.h"
#include "suggest/suggestion_view.h"
#include "suggest/suggestions.h"
#include "suggest/word_lists.h"
#include "tests/suggest/bundled_list.h"

namespace lekhora {
namespace {

using testing::BundledList;

// One typing window: keys in, the suggestion and the text out.
struct Pad {
  void Type(std::u16string_view keys) {
    for (char16_t key : keys) TypeKey(engine, box, key);
  }
  void AcceptWithShiftSpace() { TypeKey(engine, box, u' ', {kVkSpace, kShiftBit}); }
  std::u16string Suggested() const {
    return std::u16string(BundledList().WordList.at(suggestions.SuggestionIndex()));
  }

  MemoryTextBox box;
  StringSuggestionView view;
  TypingEngine engine{box, suggestions};
  Suggestions suggestions{engine.State(), BundledList(), view};
};

TEST(BundledList, BothWaysOfTypingANuktaLetterFindTheSameWords) {
  ASSERT_GT(BundledList().WordCount, 20000) << "no bundled list beside the test";
  // Phonetic(Vimra) types za as one code point, U+095B; Inscript types it as
  // ja and a nukta (p then ]), which is how the list spells it.
  const std::u16string za = u"\u091C\u093C";
  Pad one_unit;
  one_unit.Type(u"z");
  ASSERT_EQ(one_unit.box.Text(), u"\u095B");
  Pad two_units;
  two_units.engine.SetLayout(MakeLayout(kInscriptLayout));
  two_units.Type(u"p]");
  ASSERT_EQ(two_units.box.Text(), za);
  EXPECT_EQ(one_unit.Suggested().substr(0, 2), za);
  EXPECT_EQ(one_unit.suggestions.SuggestionIndex(), two_units.suggestions.SuggestionIndex());
  EXPECT_EQ(one_unit.view.TipText(), two_units.view.TipText());

  // Typed on to zyada and accepted: the typed unit goes, the list's spelling comes.
  const std::u16string zyada = za + u"\u094D\u092F\u093E\u0926\u093E";
  one_unit.Type(u"`yada");
  ASSERT_EQ(one_unit.Suggested().substr(0, zyada.size()), zyada);
  const std::u16string suggested = one_unit.Suggested();
  one_unit.AcceptWithShiftSpace();
  EXPECT_EQ(one_unit.box.Text(), suggested);
}

TEST(BundledList, ANuktaTypedByExclamationContinuesTheWord) {
  // Phonetic(Vimra) also types ja + nukta as "j" "!"; the nukta belongs to the
  // word, so the search and Accept see the whole letter.
  const std::u16string zyada = u"\u091C\u093C\u094D\u092F\u093E\u0926\u093E";
  Pad pad;
  pad.Type(u"j!`yada");
  ASSERT_EQ(pad.box.Text(), zyada);
  EXPECT_EQ(pad.engine.State().WordPrefix, zyada);
  ASSERT_EQ(pad.Suggested().substr(0, zyada.size()), zyada);
  const std::u16string suggested = pad.Suggested();
  pad.AcceptWithShiftSpace();
  EXPECT_EQ(pad.box.Text(), suggested);
}

TEST(BundledList, TheHelpTextsExampleWordsAreSuggestedOnceTyped) {
  // The words of the help text's examples (tools/words/mkhelp_main.cpp): each
  // typed word is in the list, so it is its own first suggestion.
  for (std::u16string_view keys : {u"nms`te", u"bhart", u"hiMdI", u"Dn`yvad", u"p`yar"}) {
    Pad pad;
    pad.Type(keys);
    ASSERT_FALSE(pad.box.Text().empty());
    EXPECT_EQ(pad.Suggested(), pad.box.Text()) << keys.size() << " keys";
  }
}

TEST(BundledList, AWordThatBeginsNoWordOfTheListStaysAsTyped) {
  // Shift+Space and Shift+Right after a word the list does not know write
  // nothing over it: the typed word stays, with the space.
  for (std::u16string_view keys : {u"korona", u"selPzI", u"Ziqr"}) {
    Pad typed;
    typed.Type(keys);
    typed.Type(u" ");
    Pad accepted;
    accepted.Type(keys);
    accepted.AcceptWithShiftSpace();
    EXPECT_EQ(accepted.box.Text(), typed.box.Text()) << keys.size() << " keys";
    EXPECT_EQ(accepted.view.MainCaption(), kNoMatchCaption);
    EXPECT_EQ(accepted.view.TipText().find(u"<<<"), std::u16string::npos);
  }
  // Scrolled to, a word is accepted all the same.
  Pad scrolled;
  scrolled.Type(u"korona");
  scrolled.engine.ScrollDown();
  const std::u16string picked = scrolled.Suggested();
  scrolled.AcceptWithShiftSpace();
  EXPECT_EQ(scrolled.box.Text(), picked);
}

TEST(BundledHelp, SaysWhereTheUsersWordsAreKept) {
  const std::u16string help = ReadWholeFile(ProgramFolder() / kHelpFile);
  ASSERT_FALSE(help.empty());
  EXPECT_NE(help.find(u"~/.local/share/lekhora/customwords.txt"), std::u16string::npos);
  EXPECT_EQ(help.find(u"beside the program"), std::u16string::npos);
}

}  // namespace
}  // namespace lekhora
