// lekhora-mkhelp: writes the help text of the default layout. The key list and
// every example are taken from the layout table and typed through the typing
// engine, so the help can never disagree with what the keys type.

#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/utf16.h"
#include "engine/key_replay.h"
#include "engine/layout.h"
#include "engine/memory_text_box.h"
#include "engine/suggestion_hooks.h"
#include "engine/typing_engine.h"
#include "text/utf8.h"
#include "tools/words/file_io.h"

namespace {

using lekhora::tools::ReadUtf8;
using lekhora::tools::SplitLines;

// Stands for the letter that a vowel sign or other mark joins.
constexpr char16_t kDottedCircle = 0x25CC;

bool IsCombiningMark(char16_t unit) {
  return (unit >= 0x0900 && unit <= 0x0903) || (unit >= 0x093A && unit <= 0x093C) ||
         (unit >= 0x093E && unit <= 0x094F) || (unit >= 0x0951 && unit <= 0x0957) ||
         (unit >= 0x0962 && unit <= 0x0963);
}

std::u16string Shown(std::u16string text) {
  if (!text.empty() && IsCombiningMark(text.front())) text.insert(text.begin(), kDottedCircle);
  return text;
}

// The help describes the layout the pad starts with.
const lekhora::Layout& Vimra() {
  static const std::shared_ptr<const lekhora::Layout> layout =
      lekhora::MakeLayout(lekhora::kPhoneticVimraLayout);
  return *layout;
}

std::u16string KeyName(char16_t key) {
  return std::u16string(1, key);
}

std::u16string Entry(char16_t key) {
  return Shown(std::u16string(Vimra().Caption(key)));
}

// What typing keys at the end of an empty box gives, with no suggestions.
std::u16string Typed(std::u16string_view keys) {
  lekhora::MemoryTextBox box;
  lekhora::NoSuggestions hooks;
  lekhora::TypingEngine engine(box, hooks);
  for (char16_t key : keys) lekhora::TypeKey(engine, box, key);
  return box.Text();
}

std::vector<std::u16string> KeyLines() {
  std::vector<std::u16string> lines;
  for (char16_t lower = u'a'; lower <= u'z'; ++lower) {
    const char16_t upper = static_cast<char16_t>(lower - u'a' + u'A');
    lines.push_back(u"  " + KeyName(lower) + u"  " + Entry(lower) + u"        " + KeyName(upper) +
                    u"  " + Entry(upper));
  }
  std::u16string digits = u" ";
  for (char16_t key = u'0'; key <= u'9'; ++key) digits += u" " + KeyName(key) + u" " + Entry(key);
  lines.push_back(u"");
  lines.push_back(u"Digits:");
  lines.push_back(digits);
  lines.push_back(u"");
  lines.push_back(u"Other keys:");
  std::u16string line = u" ";
  int on_line = 0;
  for (char16_t key = 33; key <= 126; ++key) {
    const bool alnum = (key >= u'0' && key <= u'9') || (key >= u'a' && key <= u'z') ||
                       (key >= u'A' && key <= u'Z');
    if (alnum || std::u16string(Vimra().Caption(key)).empty()) continue;
    line += u"  " + KeyName(key) + u" " + Entry(key);
    if (++on_line == 6) lines.push_back(line), line = u" ", on_line = 0;
  }
  if (on_line > 0) lines.push_back(line);
  return lines;
}

// Each example as "keys  text", several to a line.
std::vector<std::u16string> Examples(const std::vector<std::u16string_view>& sequences,
                                     int per_line) {
  std::vector<std::u16string> lines;
  std::u16string line;
  int on_line = 0;
  for (std::u16string_view keys : sequences) {
    line += u"  " + std::u16string(keys) + u"  " + Shown(Typed(keys)) + u"    ";
    if (++on_line == per_line) lines.push_back(line), line.clear(), on_line = 0;
  }
  if (on_line > 0) lines.push_back(line);
  for (std::u16string& made : lines) made.erase(made.find_last_not_of(u' ') + 1);
  return lines;
}

std::vector<std::u16string> Section(std::string_view name) {
  if (name == "KEYS") return KeyLines();
  if (name == "ASPIRATES")
    return Examples({u"kh", u"gh", u"ch", u"jh", u"th", u"dh", u"ph", u"bh", u"qh", u"sh", u"xh"},
                    4);
  if (name == "VOWELS")
    return Examples(
        {u"ka", u"ki", u"kii", u"ku", u"kuu", u"ke", u"kee", u"ko", u"koo", u"kai", u"kau", u"kI"},
        4);
  if (name == "INDEPENDENT")
    return Examples({u"A", u"Aa", u"Ai", u"Aii", u"Au", u"Auu", u"Ae", u"AE", u"Ao", u"AO"}, 4);
  if (name == "WORDS") {
    std::vector<std::u16string> lines = {
        u"The virama key (` or H) joins two consonants; M gives the anusvara:"};
    for (std::u16string& line : Examples({u"nms`te", u"bhart", u"hiMdI", u"Dn`yvad", u"p`yar"}, 3))
      lines.push_back(std::move(line));
    return lines;
  }
  throw std::runtime_error("unknown section @" + std::string(name) + "@");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: lekhora-mkhelp TEMPLATE DEST\n";
    return 2;
  }
  try {
    std::u16string text;
    bool first = true;
    auto add = [&](const std::u16string& line) {
      if (!first) text += u"\r\n";
      text += line;
      first = false;
    };
    for (const std::string& line : SplitLines(ReadUtf8(argv[1]))) {
      if (line.size() > 2 && line.front() == '@' && line.back() == '@') {
        for (const std::u16string& made :
             Section(std::string_view(line).substr(1, line.size() - 2)))
          add(made);
      } else {
        add(lekhora::Utf8ToUtf16(line));
      }
    }
    text += u"\r\n";
    lekhora::tools::WriteBytes(argv[2], lekhora::Utf16ToBytes(text));
  } catch (const std::exception& error) {
    std::cerr << "lekhora-mkhelp: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
