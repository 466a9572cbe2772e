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

namespace {

struct RuleWords {
  WordRule rule;
  std::string_view name;  // as reports and options spell it
  std::string_view text;  // what the rule asks of a word
};

constexpr RuleWords kRuleWords[] = {
    {WordRule::kEmpty, "empty", "empty word"},
    {WordRule::kLetters, "letters", "not a Devanagari letter, sign or nukta (or a joiner)"},
    {WordRule::kJoiner, "joiner", "ZWJ or ZWNJ not between a virama and a consonant"},
    {WordRule::kSignAtStart, "sign-at-start",
     "a dependent sign or virama at the start or after an independent vowel"},
    {WordRule::kTwoVowelSigns, "two-vowel-signs", "two dependent vowel signs in a row"},
    {WordRule::kViramaBeforeSign, "virama-before-sign", "a virama before a vowel sign"},
    {WordRule::kNukta, "nukta", "a nukta not after a consonant without one"},
    {WordRule::kDoubledNasal, "doubled-nasal", "anusvara or candrabindu doubled"},
    {WordRule::kMisplacedSign, "misplaced-sign",
     "a vowel sign or virama after another sign, or a sign after a virama or visarga"},
    {WordRule::kNormalFormC, "nfc", "not in Unicode normal form C"},
};

const RuleWords* WordsOf(WordRule rule) {
  for (const RuleWords& words : kRuleWords)
    if (words.rule == rule) return &words;
  return nullptr;
}

}  // namespace

std::string_view RuleName(WordRule rule) {
  const RuleWords* words = WordsOf(rule);
  return words != nullptr ? words->name : "unknown";
}

std::string_view RuleText(WordRule rule) {
  const RuleWords* words = WordsOf(rule);
  return words != nullptr ? words->text : "unknown rule";
}

}  // namespace lekhora::words
