#pragma once
// IntelligentRoman driven by arbitrary bytes: each byte picks a letter, a
// digit, a word break, Backspace, Escape, a pick, a highlight move, a commit
// or a focus change, over a small model learned here and a small word table.
// After every step nothing typed is lost (a commit holds the chosen word or
// the letters as typed, and the break that ended it), and the candidates
// are unique Devanagari words, never more than were asked for. The bytes as
// one string are also handed to the search directly.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <variant>
#include <vector>

#include "engine/roman_composition.h"
#include "roman/letters.h"
#include "roman/romanizer.h"
#include "roman/train.h"
#include "tests/fuzz/fuzz_checks.h"
#include "tests/fuzz/typing_checks.h"

namespace lekhora::fuzz {

struct RomanParts {
  roman::Model model;
  WordFrequencies words;
};

inline const RomanParts& RomanTestParts() {
  static const RomanParts parts = [] {
    constexpr const char* kLexicon =
        "kal\tकल\t3\nkaala\tकाला\t3\nlaal\tलाल\t3\nkaam\tकाम\t3\nkam\tकम\t2\nmaala\tमाला\t2\n"
        "nahin\tनहीं\t3\nnhi\tनहीं\t1\nzaroor\tज़रूर\t2\njaroor\tजरूर\t1\nshaam\tशाम\t2\n"
        "kya\tक्या\t3\nkyaa\tक्या\t1\nghar\tघर\t3\nphir\tफिर\t2\nfir\tफिर\t1\nquila\tक़िला\t1\n";
    RomanParts made;
    roman::ModelOrError model =
        roman::Model::FromText(roman::TrainModel(roman::ReadLexicon(kLexicon)));
    if (!std::holds_alternative<roman::Model>(model)) Violated("the small model does not load");
    made.model = std::move(std::get<roman::Model>(model));
    FrequenciesOrError table = WordFrequencies::FromBytes(
        EncodeFrequencies({{u"कम", 20}, {u"कमल", 30}, {u"काम", 90}, {u"घर", 60}, {u"नहीं", 80}}));
    if (!std::holds_alternative<WordFrequencies>(table)) Violated("the small table does not load");
    made.words = std::move(std::get<WordFrequencies>(table));
    return made;
  }();
  return parts;
}

inline void CheckRomanCandidates(const std::vector<roman::RomanCandidate>& candidates,
                                 std::size_t asked) {
  if (candidates.size() > asked) Violated("more candidates than were asked for");
  std::unordered_set<std::u16string> seen;
  for (const roman::RomanCandidate& candidate : candidates) {
    if (candidate.word.empty() || !roman::IsDevanagari(candidate.word))
      Violated("a candidate that is not a Devanagari word");
    if (!seen.insert(candidate.word).second) Violated("a candidate offered twice");
  }
}

class RomanRun {
 public:
  explicit RomanRun(ByteSource& source)
      : source_(source),
        romanizer_(RomanTestParts().model, RomanTestParts().words),
        composition_(
            [this](std::u16string_view letters, std::u16string_view, int count) {
              const auto asked = static_cast<std::size_t>(count);
              const std::vector<roman::RomanCandidate> found =
                  romanizer_.Candidates(letters, asked);
              CheckRomanCandidates(found, asked);
              std::vector<std::u16string> words;
              for (const roman::RomanCandidate& candidate : found) words.push_back(candidate.word);
              return words;
            },
            [this](std::u16string_view word, std::u16string_view) {
              learned_.insert(std::u16string(word));
            }) {
    // What the user committed outranks the rest, as the user's history does.
    romanizer_.options().boost = [this](std::u16string_view word, bool) {
      return learned_.contains(std::u16string(word)) ? 12.0 : 0.0;
    };
  }

  void Run() {
    // At most this many steps, so that one input stays quick.
    for (int step = 0; step < 2000 && source_.More(); ++step) Step();
  }

 private:
  static constexpr std::u16string_view kLetters = u"aeioukghcjtdnpbmyrlvszfqwxAKNT~";
  static constexpr std::u16string_view kBreaks = u" .,?!-'\"0123456789\n";

  void Step() {
    const std::u16string letters = composition_.Letters();
    const std::u16string chosen = composition_.Chosen();
    const std::vector<std::u16string> candidates = composition_.Candidates();
    const int highlight = composition_.Highlight();
    const int choice = source_.Below(16);
    RomanStep step;
    if (choice < 8) {
      const char16_t unit =
          kLetters[static_cast<std::size_t>(source_.Below(static_cast<int>(kLetters.size())))];
      step = composition_.Type(unit);
      if (unit == u'~' && letters.empty()) {
        if (step.consumed || !step.commit.empty()) Violated("a lone ~ was not left to the text");
      } else if (letters.size() >= RomanComposition::kMaxLetters) {
        if (step.commit != letters || composition_.Letters() != std::u16string(1, unit))
          Violated("a long run of letters was not committed as typed");
      } else if (!step.commit.empty() || composition_.Letters() != letters + unit) {
        Violated("a letter did not join the word");
      }
    } else if (choice < 11) {
      const char16_t unit =
          kBreaks[static_cast<std::size_t>(source_.Below(static_cast<int>(kBreaks.size())))];
      step = composition_.Type(unit);
      if (letters.empty()) {
        if (step.consumed || !step.commit.empty())
          Violated("a key with no word was not let through");
      } else if (unit >= u'1' && unit <= u'9') {
        const auto index = static_cast<std::size_t>(
            highlight / RomanComposition::kPage * RomanComposition::kPage + (unit - u'1'));
        const std::u16string expected =
            index < candidates.size() ? candidates[index] : chosen + unit;
        if (step.commit != expected) Violated("a digit did not commit its candidate");
      } else if (step.commit != chosen + unit) {
        Violated("a word break lost the word or itself");
      }
    } else if (choice == 11) {
      step = composition_.Backspace();
      if (!letters.empty() && composition_.Letters() != letters.substr(0, letters.size() - 1))
        Violated("Backspace did not take back one letter");
    } else if (choice == 12) {
      step = composition_.Escape();
      if (step.commit != letters) Violated("Escape did not keep the letters as typed");
    } else if (choice == 13) {
      step = source_.Below(2) ? composition_.Leave() : composition_.CommitNow();
      if (step.commit != (letters.empty() ? std::u16string() : chosen))
        Violated("leaving the word did not commit it");
    } else if (choice == 14) {
      const auto index = static_cast<std::size_t>(source_.Below(RomanComposition::kCandidates + 2));
      step = composition_.Pick(index);
      if (step.commit != (index < candidates.size() ? candidates[index] : std::u16string()))
        Violated("a pick committed another word");
    } else {
      const int how = source_.Below(4);
      if (how == 0) {
        composition_.Forget();
      } else {
        composition_.MoveHighlight(source_.Below(21) - 10);
      }
    }
    if (!composition_.Letters().empty() && composition_.Chosen().empty())
      Violated("a word being composed has nothing to commit");
    if (composition_.Letters().size() > RomanComposition::kMaxLetters)
      Violated("the word grew past its bound");
    const int shown = static_cast<int>(composition_.Candidates().size());
    if (composition_.Highlight() >= shown || (shown > 0 && composition_.Highlight() < 0))
      Violated("the highlight left the candidates");
  }

  ByteSource& source_;
  roman::Romanizer romanizer_;
  std::unordered_set<std::u16string> learned_;
  RomanComposition composition_;
};

/// Any bytes: IntelligentRoman keeps what is typed and offers sound candidates.
inline void CheckRoman(const std::uint8_t* data, std::size_t size) {
  ByteSource source(data, size);
  RomanRun(source).Run();
  // The bytes as typed text, letters or not: the search refuses or answers.
  std::u16string typed;
  for (std::size_t i = 0; i < size && i < 64; ++i) typed += static_cast<char16_t>(data[i]);
  const roman::Romanizer romanizer(RomanTestParts().model, RomanTestParts().words);
  CheckRomanCandidates(romanizer.Candidates(typed, 7), 7);
}

}  // namespace lekhora::fuzz
