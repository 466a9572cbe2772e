#include "roman/letter_model.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace lekhora::roman {

namespace {

// What each seen letter gives up for those not seen after its context
// (absolute discounting, interpolated with the shorter context).
constexpr double kDiscount = 0.8;
// 0 is the word's edge, 1..128 the Devanagari block, 129 anything else.
constexpr std::uint32_t kEdge = 0;
constexpr double kCodes = 130;

std::uint32_t Code(char16_t unit) {
  return unit >= 0x0900 && unit <= 0x097F ? static_cast<std::uint32_t>(unit - 0x0900) + 1 : 129;
}

// The codes of word with kOrder - 1 edges before it and one after.
std::basic_string<std::uint32_t> Codes(std::u16string_view word) {
  std::basic_string<std::uint32_t> codes(LetterModel::kOrder - 1, kEdge);
  for (char16_t unit : word) codes.push_back(Code(unit));
  codes.push_back(kEdge);
  return codes;
}

std::uint64_t Key(const std::uint32_t* first, std::size_t length) {
  std::uint64_t key = length;
  for (std::size_t i = 0; i < length; ++i) key = key << 8 | first[i];
  return key;
}

}  // namespace

LetterModel LetterModel::FromWords(const WordFrequencies& words) {
  LetterModel model;
  for (std::size_t i = 0; i < words.size(); ++i) model.Add(words.Word(i));
  return model;
}

void LetterModel::Add(std::u16string_view word) {
  const std::basic_string<std::uint32_t> codes = Codes(word);
  for (std::size_t at = kOrder - 1; at < codes.size(); ++at) {
    for (std::size_t length = 1; length <= kOrder; ++length) {
      const std::uint32_t* first = codes.data() + at + 1 - length;
      float& count = ngrams_[Key(first, length)];
      Context& context = contexts_[Key(first, length - 1)];
      if (count == 0) context.types += 1;
      count += 1;
      context.total += 1;
    }
  }
}

double LetterModel::LogProbability(std::u16string_view word) const {
  if (empty()) return 0;
  const std::basic_string<std::uint32_t> codes = Codes(word);
  double sum = 0;
  for (std::size_t at = kOrder - 1; at < codes.size(); ++at) {
    double p = 1 / kCodes;
    for (std::size_t length = 1; length <= kOrder; ++length) {
      const std::uint32_t* first = codes.data() + at + 1 - length;
      const auto context = contexts_.find(Key(first, length - 1));
      if (context == contexts_.end()) break;
      const auto seen = ngrams_.find(Key(first, length));
      const double count = seen == ngrams_.end() ? 0.0 : seen->second;
      p = (std::max(count - kDiscount, 0.0) + kDiscount * context->second.types * p) /
          context->second.total;
    }
    sum += std::log(p);
  }
  return sum;
}

}  // namespace lekhora::roman
