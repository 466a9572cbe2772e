#include "suggest/word_frequencies.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

#include "base/files.h"

namespace lekhora {

namespace {

constexpr char kMagic[4] = {'L', 'K', 'W', 'F'};
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kHeaderBytes = 16;
constexpr char16_t kBlockStart = 0x0900;
constexpr char16_t kBlockEnd = 0x097F;

Error Damaged(const std::string& what) {
  return Error(kInvalidFileFormat, kFrequencySource, "Damaged word frequency table: " + what);
}

std::uint32_t ReadU32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// word as one byte per unit into letters; false when a unit lies outside the
// block, so that no word of the table can hold it.
bool ToLetters(std::u16string_view word, std::string& letters) {
  letters.clear();
  for (char16_t unit : word) {
    if (unit < kBlockStart || unit > kBlockEnd) return false;
    letters += static_cast<char>(unit - kBlockStart);
  }
  return true;
}

}  // namespace

std::uint8_t ScoreOfCount(std::uint64_t count) {
  if (count == 0) return 0;
  const double score = 1.0 + std::floor(16.0 * std::log2(static_cast<double>(count)));
  return static_cast<std::uint8_t>(std::min(score, 255.0));
}

std::vector<std::uint8_t> EncodeFrequencies(const std::vector<ScoredWord>& words) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t letters = 0;
  for (const ScoredWord& entry : words) letters += entry.word.size();
  if (words.size() >= kMax || letters > kMax) throw OverflowError(kFrequencySource);

  std::vector<std::uint8_t> out(kMagic, kMagic + sizeof kMagic);
  AppendU32(out, kVersion);
  AppendU32(out, static_cast<std::uint32_t>(words.size()));
  AppendU32(out, static_cast<std::uint32_t>(letters));
  std::uint32_t offset = 0;
  AppendU32(out, offset);
  for (const ScoredWord& entry : words) {
    offset += static_cast<std::uint32_t>(entry.word.size());
    AppendU32(out, offset);
  }
  std::string spelled;
  const std::u16string* before = nullptr;
  for (const ScoredWord& entry : words) {
    const std::string shown = "word " + std::to_string(&entry - words.data());
    if (entry.word.empty()) throw Damaged(shown + " is empty");
    if (before != nullptr && !(*before < entry.word))
      throw Damaged(shown + " is not after the one before it");
    if (!ToLetters(entry.word, spelled)) throw Damaged(shown + " is not all Devanagari");
    if (entry.score == 0) throw Damaged(shown + " has the score 0");
    out.insert(out.end(), spelled.begin(), spelled.end());
    before = &entry.word;
  }
  for (const ScoredWord& entry : words) out.push_back(entry.score);
  return out;
}

FrequenciesOrError WordFrequencies::Load(const std::filesystem::path& path) {
  try {
    return FromBytes(ReadFileBytes(path, kFrequencySource, kMaxFileBytes));
  } catch (const Error& error) {
    return error;
  }
}

FrequenciesOrError WordFrequencies::FromBytes(std::vector<std::uint8_t> bytes) {
  if (bytes.size() < kHeaderBytes) return Damaged("shorter than its header");
  if (std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) return Damaged("not such a table");
  if (const std::uint32_t version = ReadU32(&bytes[4]); version != kVersion)
    return Damaged("version " + std::to_string(version) + ", this program reads " +
                   std::to_string(kVersion));
  const std::uint64_t words = ReadU32(&bytes[8]);
  const std::uint64_t letters = ReadU32(&bytes[12]);
  // Each part fits in 32 bits, so the sum cannot overflow 64.
  const std::uint64_t expected = kHeaderBytes + 4 * (words + 1) + letters + words;
  if (expected != bytes.size())
    return Damaged(std::to_string(bytes.size()) + " bytes where its sizes say " +
                   std::to_string(expected));

  WordFrequencies table;
  table.bytes_ = std::move(bytes);
  table.words_ = static_cast<std::size_t>(words);
  table.offsets_at_ = kHeaderBytes;
  table.letters_at_ = kHeaderBytes + 4 * (table.words_ + 1);
  table.scores_at_ = table.letters_at_ + static_cast<std::size_t>(letters);

  if (table.Offset(0) != 0 || table.Offset(table.words_) != letters)
    return Damaged("its offsets do not span its letters");
  for (std::size_t i = 0; i < table.words_; ++i)
    if (table.Offset(i + 1) <= table.Offset(i))
      return Damaged("word " + std::to_string(i) + " is empty or its offsets go back");
  const std::uint8_t* letter = table.bytes_.data() + table.letters_at_;
  if (std::any_of(letter, letter + letters,
                  [](std::uint8_t b) { return b > kBlockEnd - kBlockStart; }))
    return Damaged("a letter outside the Devanagari block");
  // Each word against the one before it, where they meet in the letters.
  for (std::size_t i = 1; i < table.words_; ++i) {
    const std::uint8_t* before = letter + table.Offset(i - 1);
    const std::uint8_t* word = before + (table.Offset(i) - table.Offset(i - 1));
    const std::uint8_t* before_end = word;
    const std::uint8_t* word_end = letter + table.Offset(i + 1);
    while (before != before_end && word != word_end && *before == *word) {
      ++before;
      ++word;
    }
    // In order when the word goes on past the one before it, or differs higher.
    if (word == word_end || (before != before_end && *before > *word))
      return Damaged("word " + std::to_string(i) + " is out of order");
  }

  std::array<std::size_t, 256> at_score{};  // how many words have each score
  for (std::size_t i = 0; i < table.words_; ++i) {
    const std::uint8_t score = table.ScoreAt(i);
    if (score == 0) return Damaged("word " + std::to_string(i) + " has the score 0");
    ++at_score[score];
  }
  // A counting sort keeps code-unit order within a score.
  std::array<std::size_t, 256> start{};  // where each score's words begin
  for (std::size_t score = 255, sum = 0; score > 0; --score) {
    start[score] = sum;
    sum += at_score[score];
  }
  table.by_score_.resize(table.words_);
  for (std::size_t i = 0; i < table.words_; ++i)
    table.by_score_[start[table.ScoreAt(i)]++] = static_cast<std::uint32_t>(i);
  return table;
}

std::uint32_t WordFrequencies::Offset(std::size_t index) const {
  return ReadU32(bytes_.data() + offsets_at_ + 4 * index);
}

std::string_view WordFrequencies::Letters(std::size_t index) const {
  const std::uint32_t begin = Offset(index);
  return {reinterpret_cast<const char*>(bytes_.data() + letters_at_ + begin),
          Offset(index + 1) - begin};
}

std::u16string WordFrequencies::Word(std::size_t index) const {
  std::u16string word;
  for (char letter : Letters(index)) word += static_cast<char16_t>(kBlockStart + letter);
  return word;
}

std::uint8_t WordFrequencies::Score(std::u16string_view word) const {
  std::string letters;
  if (word.empty() || !ToLetters(word, letters)) return 0;
  const std::size_t first = FirstNotBefore(letters, 0, words_);
  return first < words_ && Letters(first) == letters ? ScoreAt(first) : 0;
}

std::size_t WordFrequencies::FirstNotBefore(std::string_view letters, std::size_t first,
                                            std::size_t end) const {
  std::size_t count = end - first;
  while (count > 0) {
    const std::size_t half = count / 2;
    if (Letters(first + half) < letters) {
      first += half + 1;
      count -= half + 1;
    } else {
      count = half;
    }
  }
  return first;
}

std::pair<std::size_t, std::size_t> WordFrequencies::PrefixRange(std::u16string_view prefix) const {
  return PrefixRange(prefix, {0, words_});
}

std::pair<std::size_t, std::size_t> WordFrequencies::PrefixRange(
    std::u16string_view prefix, std::pair<std::size_t, std::size_t> within) const {
  std::string letters;
  within.second = std::min(within.second, words_);
  if (!ToLetters(prefix, letters) || within.first >= within.second) return {0, 0};
  const std::size_t first = FirstNotBefore(letters, within.first, within.second);
  std::size_t last = first;
  std::size_t count = within.second - first;
  while (count > 0) {  // the first word past those beginning with it
    const std::size_t half = count / 2;
    if (Letters(last + half).starts_with(letters)) {
      last += half + 1;
      count -= half + 1;
    } else {
      count = half;
    }
  }
  return {first, last};
}

std::vector<ScoredWord> WordFrequencies::Complete(std::u16string_view prefix,
                                                  std::size_t count) const {
  const auto [first, last] = PrefixRange(prefix);
  std::vector<std::size_t> best;  // highest score first, by index within a score
  if (count == 0) return {};
  const std::size_t run = last - first;
  // The most frequent words of a long run are soon met in score order; a
  // rare prefix's run is quicker read through. The walk gives up after as
  // many steps as the run has words, so neither way costs more than twice it.
  bool found = false;
  if (run > count) {
    for (std::size_t step = 0; step < words_ && step < run && best.size() < count; ++step)
      if (by_score_[step] >= first && by_score_[step] < last) best.push_back(by_score_[step]);
    found = best.size() == count;
  }
  if (!found) {
    best.clear();
    for (std::size_t i = first; i < last; ++i) {
      const std::uint8_t score = ScoreAt(i);
      if (best.size() == count && score <= ScoreAt(best.back())) continue;
      // After every word of its score, which all came before it.
      const auto at = std::find_if(best.begin(), best.end(),
                                   [&](std::size_t other) { return ScoreAt(other) < score; });
      best.insert(at, i);
      if (best.size() > count) best.pop_back();
    }
  }
  std::vector<ScoredWord> words;
  words.reserve(best.size());
  for (std::size_t index : best) words.push_back({Word(index), ScoreAt(index)});
  return words;
}

}  // namespace lekhora
