#include "roman/letters.h"

#include "suggest/canonical_fold.h"

namespace lekhora::roman {

namespace {

bool IsConsonant(char16_t c) {
  return (c >= 0x0915 && c <= 0x0939) || (c >= 0x0958 && c <= 0x095F) ||
         (c >= 0x0978 && c <= 0x097F);
}

// Anusvara, candrabindu and visarga, and the vowel signs' nasal relatives.
bool IsTrailingMark(char16_t c) {
  return c == 0x0900 || c == 0x0901 || c == 0x0902 || c == 0x0903;
}

}  // namespace

std::uint32_t LatinCode(char16_t unit) {
  if (unit >= u'a' && unit <= u'z') return static_cast<std::uint32_t>(unit - u'a') + 1;
  if (unit >= u'A' && unit <= u'Z') return static_cast<std::uint32_t>(unit - u'A') + 1;
  if (unit == u'~') return 27;
  return 0;
}

std::optional<std::string> LatinWord(std::u16string_view text) {
  std::string word;
  word.reserve(text.size());
  for (char16_t unit : text) {
    const std::uint32_t code = LatinCode(unit);
    if (code == 0) return std::nullopt;
    word.push_back(code == 27 ? '~' : static_cast<char>('a' + code - 1));
  }
  return word;
}

std::uint32_t PackLatin(std::string_view letters) {
  if (letters.empty() || letters.size() > 3) return 0;
  std::uint32_t key = 0;
  for (char letter : letters) {
    const std::uint32_t code = LatinCode(static_cast<unsigned char>(letter));
    if (code == 0) return 0;
    key = key << 5 | code;
  }
  return key;
}

std::vector<std::u16string> DevanagariGroups(std::u16string_view word) {
  std::u16string folded;
  const std::u16string_view text = SearchForm(word, folded);
  std::vector<std::u16string> groups;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t end = i + 1;
    if (IsConsonant(text[i])) {
      if (end < text.size() && text[end] == 0x093C) ++end;
      if (end < text.size() && text[end] == 0x094D) ++end;
    }
    while (end < text.size() && IsTrailingMark(text[end]) && !IsTrailingMark(text[i])) ++end;
    groups.emplace_back(text.substr(i, end - i));
    i = end;
  }
  return groups;
}

bool IsDevanagari(std::u16string_view text) {
  for (char16_t unit : text)
    if (unit < 0x0900 || unit > 0x097F) return false;
  return true;
}

}  // namespace lekhora::roman
