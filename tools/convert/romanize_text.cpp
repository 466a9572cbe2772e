#include "tools/convert/romanize_text.h"

#include "roman/letters.h"

namespace lekhora {

namespace {

// What ends a word: white space and the punctuation of ASCII, but not '~',
// which people type for a nasal; and the danda marks.
bool Breaks(char16_t unit) {
  if (unit == u'~') return false;
  if (unit <= 0x20 || unit == 0x7F || unit == 0xA0 || unit == 0x2028 || unit == 0x2029) return true;
  if (unit < 0x7F)
    return !((unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'z') ||
             (unit >= u'A' && unit <= u'Z'));
  return unit == 0x0964 || unit == 0x0965 || (unit >= 0x2000 && unit <= 0x206F);
}

}  // namespace

std::vector<TextWord> SplitWords(std::u16string_view text) {
  std::vector<TextWord> words;
  std::size_t i = 0;
  while (i < text.size()) {
    if (Breaks(text[i])) {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < text.size() && !Breaks(text[i])) ++i;
    words.push_back({start, text.substr(start, i - start)});
  }
  return words;
}

std::u16string RomanizeText(const roman::Romanizer& romanizer, std::u16string_view text) {
  std::u16string out;
  std::size_t copied = 0;
  for (const TextWord& word : SplitWords(text)) {
    const std::vector<roman::RomanCandidate> best = romanizer.Candidates(word.word, 1);
    if (best.empty()) continue;
    out.append(text.substr(copied, word.start - copied));
    out += best.front().word;
    copied = word.start + word.word.size();
  }
  out.append(text.substr(copied));
  return out;
}

std::u16string CandidateLines(const roman::Romanizer& romanizer, std::u16string_view text,
                              std::size_t count) {
  std::u16string out;
  for (const TextWord& word : SplitWords(text)) {
    const std::vector<roman::RomanCandidate> candidates = romanizer.Candidates(word.word, count);
    if (candidates.empty()) out += word.word;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      if (i > 0) out += u'\t';
      out += candidates[i].word;
    }
    out += u'\n';
  }
  return out;
}

}  // namespace lekhora
