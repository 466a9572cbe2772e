#include "ui/typing/toolbar_commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/memory_text_box.h"
#include "tests/engine/caret.h"

namespace lekhora {
namespace {

using testing::Caret;
using testing::CaretOf;

class FakeClipboard final : public ClipboardBackend {
 public:
  bool fails = false;
  std::optional<std::u16string> content;

  bool SetText(const std::u16string& text) override {
    if (fails) return false;
    content = text;
    return true;
  }
  std::optional<std::u16string> Text() override {
    if (fails) throw OverflowError();
    return content;
  }
};

const std::u16string kKaKha = u"\u0915\u0916";

TEST(ToolbarCommands, CopyTakesTheWholeTextWhateverIsSelected) {
  MemoryTextBox box(u"a" + kKaKha + u"b");
  box.SetSelStart(1);
  box.SetSelLength(1);
  FakeClipboard clipboard;
  EXPECT_TRUE(CopyAllText(box, clipboard));
  EXPECT_EQ(clipboard.content, u"a" + kKaKha + u"b");
  EXPECT_EQ(CaretOf(box), (Caret{1, 1}));

  clipboard.fails = true;
  EXPECT_FALSE(CopyAllText(box, clipboard));
}

TEST(ToolbarCommands, PasteReplacesTheSelectionAndLeavesTheCaretAfterIt) {
  MemoryTextBox box(u"abcd");
  box.SetSelStart(1);
  box.SetSelLength(2);
  FakeClipboard clipboard;
  clipboard.content = kKaKha;
  int reports = 0;
  PasteClipboardText(box, clipboard, [&](const std::string&, const std::string&) { ++reports; });
  EXPECT_EQ(box.Text(), u"a" + kKaKha + u"d");
  EXPECT_EQ(CaretOf(box), (Caret{3, 0}));
  EXPECT_EQ(reports, 0);
}

TEST(ToolbarCommands, FailingPasteReportsOnceAndChangesNothing) {
  MemoryTextBox box(u"abcd");
  FakeClipboard clipboard;
  clipboard.fails = true;
  std::string message;
  PasteClipboardText(box, clipboard,
                     [&](const std::string&, const std::string& m) { message = m; });
  EXPECT_EQ(box.Text(), u"abcd");
  EXPECT_EQ(message, "Error 6: Overflow");
}

TEST(ToolbarCommands, SelectAllCoversEveryUnitIncludingPairs) {
  MemoryTextBox box(u"a\U0001F600" + kKaKha);
  box.SetSelStart(2);
  SelectAllText(box);
  EXPECT_EQ(CaretOf(box), (Caret{0, 5}));
  MemoryTextBox empty(u"");
  SelectAllText(empty);
  EXPECT_EQ(empty.SelLength(), 0);
}

}  // namespace
}  // namespace lekhora
