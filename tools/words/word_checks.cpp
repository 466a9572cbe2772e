#include "tools/words/word_checks.h"

#include "suggest/canonical_fold.h"

namespace lekhora::words {

namespace {

constexpr char16_t kNukta = 0x093C;
constexpr char16_t kVirama = 0x094D;
constexpr char16_t kVisarga = 0x0903;
constexpr char16_t kAvagraha = 0x093D;
constexpr char16_t kZwnj = 0x200C;
constexpr char16_t kZwj = 0x200D;

bool In(char16_t unit, char16_t first, char16_t last) {
  return unit >= first && unit <= last;
}

bool IsConsonant(char16_t u) {
  return In(u, 0x0915, 0x0939) || In(u, 0x0958, 0x095F) || In(u, 0x0978, 0x097F);
}

// U+0929, U+0931, U+0934 and U+0958..U+095F carry their nukta already.
bool HasNukta(char16_t u) {
  return u == 0x0929 || u == 0x0931 || u == 0x0934 || In(u, 0x0958, 0x095F);
}

bool IsIndependentVowel(char16_t u) {
  return In(u, 0x0904, 0x0914) || In(u, 0x0960, 0x0961) || In(u, 0x0972, 0x0977);
}

bool IsVowelSign(char16_t u) {
  return In(u, 0x093A, 0x093B) || In(u, 0x093E, 0x094C) || In(u, 0x094E, 0x094F) ||
         In(u, 0x0955, 0x0957) || In(u, 0x0962, 0x0963);
}

// Inverted candrabindu, candrabindu, anusvara.
bool IsNasal(char16_t u) {
  return In(u, 0x0900, 0x0902);
}

bool IsJoiner(char16_t u) {
  return u == kZwnj || u == kZwj;
}

// OM, the Vedic stress signs, the dandas, the digits, the abbreviation sign
// and the high dot are left out: they are not part of a word.
bool IsAllowed(char16_t u) {
  return IsConsonant(u) || IsIndependentVowel(u) || IsVowelSign(u) || IsNasal(u) || u == kVisarga ||
         u == kNukta || u == kVirama || u == kAvagraha || IsJoiner(u);
}

std::optional<WordRule> CheckAt(std::u16string_view word, std::size_t i) {
  const char16_t unit = word[i];
  if (!IsAllowed(unit)) return WordRule::kLetters;
  if (IsJoiner(unit)) {
    const bool between =
        i > 0 && word[i - 1] == kVirama && i + 1 < word.size() && IsConsonant(word[i + 1]);
    return between ? std::nullopt : std::optional(WordRule::kJoiner);
  }
  const bool vowel_sign = IsVowelSign(unit);
  const bool sign = vowel_sign || unit == kVirama || IsNasal(unit) || unit == kVisarga;
  if (i == 0) {
    if (sign) return WordRule::kSignAtStart;
    return unit == kNukta ? std::optional(WordRule::kNukta) : std::nullopt;
  }
  const char16_t before = word[i - 1];
  if ((vowel_sign || unit == kVirama) && IsIndependentVowel(before)) return WordRule::kSignAtStart;
  if (vowel_sign && IsVowelSign(before)) return WordRule::kTwoVowelSigns;
  if (vowel_sign && before == kVirama) return WordRule::kViramaBeforeSign;
  if (unit == kNukta && (!IsConsonant(before) || HasNukta(before))) return WordRule::kNukta;
  if (IsNasal(unit) && IsNasal(before)) return WordRule::kDoubledNasal;
  if ((vowel_sign || unit == kVirama) && !IsConsonant(before) && before != kNukta)
    return WordRule::kMisplacedSign;
  if ((IsNasal(unit) || unit == kVisarga) &&
      (before == kVirama || before == kVisarga || (unit == kVisarga && IsNasal(before))))
    return WordRule::kMisplacedSign;
  return std::nullopt;
}

}  // namespace

std::optional<WordFault> CheckWord(std::u16string_view word) {
  if (word.empty()) return WordFault{WordRule::kEmpty, 0};
  for (std::size_t i = 0; i < word.size(); ++i)
    if (const std::optional<WordRule> rule = CheckAt(word, i)) return WordFault{*rule, i};
  // Only Devanagari and joiners are left, where the fold is normal form C.
  if (NeedsCanonicalFold(word)) return WordFault{WordRule::kNormalFormC, 0};
  return std::nullopt;
}

std::string_view RuleName(WordRule rule) {
  switch (rule) {
    case WordRule::kEmpty:
      return "empty";
    case WordRule::kLetters:
      return "letters";
    case WordRule::kJoiner:
      return "joiner";
    case WordRule::kSignAtStart:
      return "sign-at-start";
    case WordRule::kTwoVowelSigns:
      return "two-vowel-signs";
    case WordRule::kViramaBeforeSign:
      return "virama-before-sign";
    case WordRule::kNukta:
      return "nukta";
    case WordRule::kDoubledNasal:
      return "doubled-nasal";
    case WordRule::kMisplacedSign:
      return "misplaced-sign";
    case WordRule::kNormalFormC:
      return "nfc";
  }
  return "unknown";
}

std::string_view RuleText(WordRule rule) {
  switch (rule) {
    case WordRule::kEmpty:
      return "empty word";
    case WordRule::kLetters:
      return "not a Devanagari letter, sign or nukta (or a joiner)";
    case WordRule::kJoiner:
      return "ZWJ or ZWNJ not between a virama and a consonant";
    case WordRule::kSignAtStart:
      return "a dependent sign or virama at the start or after an independent vowel";
    case WordRule::kTwoVowelSigns:
      return "two dependent vowel signs in a row";
    case WordRule::kViramaBeforeSign:
      return "a virama before a vowel sign";
    case WordRule::kNukta:
      return "a nukta not after a consonant without one";
    case WordRule::kDoubledNasal:
      return "anusvara or candrabindu doubled";
    case WordRule::kMisplacedSign:
      return "a vowel sign or virama after another sign, or a sign after a virama or visarga";
    case WordRule::kNormalFormC:
      return "not in Unicode normal form C";
  }
  return "unknown rule";
}

}  // namespace lekhora::words
