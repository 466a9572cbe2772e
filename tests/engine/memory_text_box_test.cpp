// The in-memory text box keeps the typing box's selection rules.

#include <gtest/gtest.h>

#include "engine/memory_text_box.h"
#include "tests/engine/caret.h"

namespace lekhora {
namespace {

using testing::Caret;
using testing::CaretOf;

TEST(MemoryTextBox, SelectionFollowsTheTextBoxRules) {
  MemoryTextBox box(u"abcdef");
  EXPECT_EQ(box.SelStart(), 6);
  ASSERT_TRUE(box.SetSelStart(2));
  ASSERT_TRUE(box.SetSelLength(100));  // cut at the end
  EXPECT_EQ(box.SelLength(), 4);
  EXPECT_EQ(box.SelText(), u"cdef");
  EXPECT_FALSE(box.SetSelStart(-1));  // refused, selection kept
  EXPECT_EQ(CaretOf(box), (Caret{2, 4}));
  EXPECT_FALSE(box.SetSelLength(-1));
  EXPECT_TRUE(box.SetSelStart(99));  // beyond the end: at the end, no selection
  EXPECT_EQ(CaretOf(box), (Caret{6, 0}));
}

TEST(MemoryTextBox, SelTextReplacesTheSelectionAndLeavesTheCaretAfterIt) {
  MemoryTextBox box(u"abcdef");
  box.SetSelStart(1);
  box.SetSelLength(3);
  box.SetSelText(u"XY");
  EXPECT_EQ(box.View(), u"aXYef");
  EXPECT_EQ(CaretOf(box), (Caret{3, 0}));
  box.SetSelText(u"");
  EXPECT_EQ(box.View(), u"aXYef");
}

TEST(MemoryTextBox, OwnKeyHandling) {
  MemoryTextBox box;
  for (char16_t key : {u'a', u'\r', u'\t', u' ', char16_t{27}, char16_t{1}, char16_t{0x85}})
    box.DefaultKey(key);
  EXPECT_EQ(box.View(), u"a\n\t ");

  // Backspace takes a whole surrogate pair, a selection, and nothing at the start.
  MemoryTextBox pair(u"x\U0001F600");
  pair.DefaultKey(8);
  EXPECT_EQ(pair.View(), u"x");
  MemoryTextBox selected(u"abcd");
  selected.SetSelStart(1);
  selected.SetSelLength(2);
  selected.DefaultKey(8);
  EXPECT_EQ(selected.View(), u"ad");
  EXPECT_EQ(selected.SelStart(), 1);
  selected.SetSelStart(0);
  selected.DefaultKey(8);
  EXPECT_EQ(selected.View(), u"ad");
}

}  // namespace
}  // namespace lekhora
