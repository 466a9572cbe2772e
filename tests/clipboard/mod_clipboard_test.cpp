#include "clipboard/mod_clipboard.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace lekhora {
namespace {

// The codec's errors have a negative number; the message must keep its sign.
constexpr std::int32_t kNegativeErrorNumber = -2147221504;

// A clipboard in memory that can be told to refuse or to fail.
class FakeClipboard final : public ClipboardBackend {
 public:
  enum class Mode { Works, Refuses, Throws };
  Mode mode = Mode::Works;
  std::optional<std::u16string> content;

  bool SetText(const std::u16string& text) override {
    if (mode == Mode::Throws) throw Error(kNegativeErrorNumber, "clipboard", "Clipboard busy");
    if (mode == Mode::Refuses) return false;
    content = text;
    return true;
  }
  std::optional<std::u16string> Text() override {
    if (mode == Mode::Throws) throw OverflowError();
    return content;
  }
};

struct Report {
  std::string title;
  std::string message;
};

TEST(SetUnicodeText, ResultSaysWhetherTheTextWasPlaced) {
  FakeClipboard clipboard;
  EXPECT_TRUE(SetUnicodeText(clipboard, u"\u0915\u093E"));
  EXPECT_EQ(clipboard.content, std::u16string(u"\u0915\u093E"));
  // An empty text box copies an empty text, which is still a placed text.
  EXPECT_TRUE(SetUnicodeText(clipboard, u""));
  EXPECT_EQ(clipboard.content, std::u16string());

  clipboard.content = u"old";
  clipboard.mode = FakeClipboard::Mode::Refuses;
  EXPECT_FALSE(SetUnicodeText(clipboard, u"new"));
  EXPECT_EQ(clipboard.content, std::u16string(u"old"));
  // A clipboard that cannot be reached is a failed copy, not a crash.
  clipboard.mode = FakeClipboard::Mode::Throws;
  EXPECT_FALSE(SetUnicodeText(clipboard, u"new"));
}

TEST(GetUnicodeText, GivesTheTextUnchangedWithoutAnyCodePageTrip) {
  FakeClipboard clipboard;
  std::vector<Report> reports;
  auto report = [&](const std::string& t, const std::string& m) { reports.push_back({t, m}); };
  // The visarga (U+0903) has a low byte of 3; CR LF and non-BMP text pass too.
  const std::u16string text = u"\u0926\u0941\u0903\u0916\r\nx\U0001F600";
  clipboard.content = text;
  EXPECT_EQ(GetUnicodeText(clipboard, report), text);
  clipboard.content.reset();
  EXPECT_EQ(GetUnicodeText(clipboard, report), std::u16string());
  EXPECT_TRUE(reports.empty());
}

TEST(GetUnicodeText, AFailingClipboardGivesEmptyTextAndOneErrorBox) {
  FakeClipboard clipboard;
  clipboard.content = u"kept";
  clipboard.mode = FakeClipboard::Mode::Throws;
  std::vector<Report> reports;
  const std::u16string got =
      GetUnicodeText(clipboard, [&](const std::string& t, const std::string& m) {
        reports.push_back({t, m});
      });
  EXPECT_EQ(got, std::u16string());
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].title, "GetUnicodeText");
  EXPECT_EQ(reports[0].message, "Error 6: Overflow");
  // Without a place to report, the failure is still only empty text.
  EXPECT_EQ(GetUnicodeText(clipboard, nullptr), std::u16string());
}

TEST(ClipboardErrorMessage, NegativeNumbersKeepTheirSign) {
  EXPECT_EQ(ClipboardErrorMessage(Error(kNegativeErrorNumber, "x", "Bad")),
            "Error -2147221504: Bad");
}

}  // namespace
}  // namespace lekhora
