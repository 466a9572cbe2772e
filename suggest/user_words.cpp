#include "suggest/user_words.h"

#include <algorithm>

#include "base/utf16.h"
#include "suggest/word_lists.h"
#include "text/lines.h"

namespace lekhora {
namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x00A0 || c == 0x2028 ||
         c == 0x2029;
}

// Where a word at the caret ends: blanks and the marks that follow or stand
// between words in either script.
bool EndsWord(char16_t c) {
  static constexpr std::u16string_view kMarks =
      u",.;:!?\"()[]{}<>/\\|\u0964\u0965\u2018\u2019\u201C\u201D";
  return IsBlank(c) || kMarks.find(c) != std::u16string_view::npos;
}

}  // namespace

UserWords UserWords::FromBytes(std::span<const std::uint8_t> bytes) {
  UserWords words;
  words.lines_ = SplitCrLf(BytesToUtf16(bytes));
  return words;
}

std::vector<std::uint8_t> UserWords::ToBytes() const {
  std::u16string text;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i > 0) text += u"\r\n";
    text += lines_[i];
  }
  return Utf16ToBytes(text);
}

std::span<const std::u16string> UserWords::Words() const {
  if (lines_.empty()) return {};
  return std::span<const std::u16string>(lines_).subspan(1);
}

WordEdit UserWords::Add(std::u16string_view word, std::size_t* at) {
  if (word.empty()) return WordEdit::Empty;
  if (word.find_first_of(u"\r\n") != std::u16string_view::npos) return WordEdit::NotOneLine;
  if (word.size() > kMaxUserWordUnits) return WordEdit::TooLong;
  const auto words = Words();
  if (std::find(words.begin(), words.end(), word) != words.end()) return WordEdit::AlreadyThere;
  if (lines_.empty()) lines_.emplace_back(kUserWordsHeader);
  // A list that ends with CR LF has an empty last entry; the word goes
  // before it so that the file keeps its final line break.
  std::size_t line = lines_.size();
  if (lines_.size() > 1 && lines_.back().empty()) --line;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(line), std::u16string(word));
  if (at != nullptr) *at = line - 1;
  return WordEdit::Done;
}

WordEdit UserWords::Remove(std::size_t index, std::u16string_view word, std::size_t* at) {
  std::size_t line = index + 1;
  if (line >= lines_.size() || lines_[line] != word) {
    const auto found = std::find(lines_.begin() + (lines_.empty() ? 0 : 1), lines_.end(), word);
    if (found == lines_.end()) return WordEdit::NotThere;
    line = static_cast<std::size_t>(found - lines_.begin());
  }
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
  if (at != nullptr) *at = line - 1;
  return WordEdit::Done;
}

std::u16string WordToAdd(std::u16string_view text, int selStart, int selLength) {
  const std::size_t size = text.size();
  std::size_t start = std::min<std::size_t>(static_cast<std::size_t>(std::max(selStart, 0)), size);
  std::size_t end = start;
  if (selLength > 0) {
    end = std::min(size, start + static_cast<std::size_t>(selLength));
    while (start < end && IsBlank(text[start])) ++start;
    while (end > start && IsBlank(text[end - 1])) --end;
  } else {
    while (start > 0 && !EndsWord(text[start - 1])) --start;
    while (end < size && !EndsWord(text[end])) ++end;
  }
  return std::u16string(text.substr(start, end - start));
}

}  // namespace lekhora
