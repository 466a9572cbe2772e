// The word frequency table: what is written is read back, a damaged file is
// refused whole, and completions come most frequent first.

#include "suggest/word_frequencies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "tests/suggest/temp_folder.h"

namespace lekhora {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Words spelled as sequences of Devanagari letters: ka, kaa, ki, kha, ga...
const std::u16string kKa = u"\u0915", kKha = u"\u0916", kGa = u"\u0917";
const std::u16string kSignAa = u"\u093E", kSignI = u"\u093F";

const std::vector<ScoredWord>& Sample() {
  static const std::vector<ScoredWord> words = {
      {kKa, 40},
      {kKa + kSignAa, 200},        // kaa
      {kKa + kSignAa + kGa, 200},  // kaag: ties with kaa, comes after it
      {kKa + kSignI, 120},         // ki
      {kKha, 7},
      {kKha + kSignAa + kKa, 255},  // khaak
      {kGa + kSignAa, 1},           // gaa
  };
  return words;
}

WordFrequencies Loaded(const Bytes& bytes) {
  FrequenciesOrError result = WordFrequencies::FromBytes(bytes);
  if (const Error* error = std::get_if<Error>(&result)) ADD_FAILURE() << error->description();
  return std::holds_alternative<WordFrequencies>(result) ? std::get<WordFrequencies>(result)
                                                         : WordFrequencies();
}

std::vector<std::u16string> Words(const std::vector<ScoredWord>& scored) {
  std::vector<std::u16string> words;
  for (const ScoredWord& entry : scored) words.push_back(entry.word);
  return words;
}

TEST(WordFrequencies, WordsAndScoresComeBackAsWritten) {
  test::TempFolder folder;
  folder.Write("table.bin", EncodeFrequencies(Sample()));
  FrequenciesOrError result = WordFrequencies::Load(folder / "table.bin");
  ASSERT_TRUE(std::holds_alternative<WordFrequencies>(result));
  const WordFrequencies& table = std::get<WordFrequencies>(result);

  ASSERT_EQ(table.size(), Sample().size());
  for (std::size_t i = 0; i < Sample().size(); ++i) {
    EXPECT_EQ(table.Word(i), Sample()[i].word);
    EXPECT_EQ(table.ScoreAt(i), Sample()[i].score);
    EXPECT_EQ(table.Score(Sample()[i].word), Sample()[i].score);
  }
}

TEST(WordFrequencies, WordsNotInTheTableScoreZero) {
  const WordFrequencies table = Loaded(EncodeFrequencies(Sample()));
  EXPECT_EQ(table.Score(u""), 0);
  EXPECT_EQ(table.Score(kGa), 0);                      // only a prefix of gaa
  EXPECT_EQ(table.Score(kKa + kSignAa + kKa), 0);      // between kaa and kaag
  EXPECT_EQ(table.Score(kGa + kSignAa + kSignAa), 0);  // past the last word
  EXPECT_EQ(table.Score(u"ka"), 0);
  EXPECT_EQ(table.Score(u"\u0915\u200D"), 0);  // a unit outside the block
  EXPECT_EQ(WordFrequencies().Score(kKa), 0);
  EXPECT_TRUE(WordFrequencies().Complete(kKa, 5).empty());
}

TEST(WordFrequencies, CompletionsGoByScoreThenByCodeUnit) {
  const WordFrequencies table = Loaded(EncodeFrequencies(Sample()));
  const std::vector<ScoredWord> ka = table.Complete(kKa, 10);
  EXPECT_EQ(Words(ka),
            (std::vector<std::u16string>{kKa + kSignAa, kKa + kSignAa + kGa, kKa + kSignI, kKa}));
  EXPECT_EQ(ka.front().score, 200);
  EXPECT_EQ(Words(table.Complete(kKa, 2)),
            (std::vector<std::u16string>{kKa + kSignAa, kKa + kSignAa + kGa}));
  EXPECT_EQ(Words(table.Complete(u"", 2)),
            (std::vector<std::u16string>{kKha + kSignAa + kKa, kKa + kSignAa}));
  EXPECT_EQ(Words(table.Complete(kKa + kSignAa + kGa, 3)),
            (std::vector<std::u16string>{kKa + kSignAa + kGa}));
  EXPECT_TRUE(table.Complete(kGa + kSignI, 3).empty());
  EXPECT_TRUE(table.Complete(kKa, 0).empty());
  EXPECT_TRUE(table.Complete(u"k", 3).empty());
}

TEST(WordFrequencies, APrefixFoundWithinAShorterOnesRangeIsFoundAsFromTheWhole) {
  const WordFrequencies table = Loaded(EncodeFrequencies(Sample()));
  const auto ka = table.PrefixRange(kKa);
  for (const std::u16string& prefix :
       {kKa + kSignAa, kKa + kSignAa + kGa, kKa + kSignI, kKa, kKa + kSignAa + kKa, kKa + kGa})
    EXPECT_EQ(table.PrefixRange(prefix, ka), table.PrefixRange(prefix)) << prefix.size();
  // A range that cannot hold the prefix, or lies past the table, holds none of it.
  const auto none = table.PrefixRange(kKha + kSignAa, ka);
  EXPECT_EQ(none.first, none.second);
  const auto past = table.PrefixRange(kKa, {table.size(), table.size() + 5});
  EXPECT_EQ(past.first, past.second);
}

TEST(WordFrequencies, WithPrefixVisitsInCodeUnitOrderUntilTold) {
  const WordFrequencies table = Loaded(EncodeFrequencies(Sample()));
  std::vector<std::u16string> seen;
  table.WithPrefix(kKa + kSignAa, [&](const std::u16string& word, std::uint8_t) {
    seen.push_back(word);
    return true;
  });
  EXPECT_EQ(seen, (std::vector<std::u16string>{kKa + kSignAa, kKa + kSignAa + kGa}));
  seen.clear();
  table.WithPrefix(kKa, [&](const std::u16string& word, std::uint8_t) {
    seen.push_back(word);
    return seen.size() < 2;
  });
  EXPECT_EQ(seen, (std::vector<std::u16string>{kKa, kKa + kSignAa}));
}

// A table large enough that short prefixes are completed by the walk in
// score order and long ones by reading their run: both must give what a
// plain sort of the run gives.
TEST(WordFrequencies, CompletionsOfEveryPrefixMatchASortedRun) {
  std::mt19937 random(7);
  std::vector<ScoredWord> words;
  for (int i = 0; i < 3000; ++i) {
    std::u16string word;
    const int length = 1 + static_cast<int>(random() % 4);
    for (int j = 0; j < length; ++j) word += static_cast<char16_t>(0x0915 + random() % 5);
    // Few scores, so that ties are common; high ones rare.
    words.push_back({word, static_cast<std::uint8_t>(1 + random() % 6 * random() % 40)});
  }
  std::sort(words.begin(), words.end(),
            [](const ScoredWord& a, const ScoredWord& b) { return a.word < b.word; });
  words.erase(
      std::unique(words.begin(), words.end(),
                  [](const ScoredWord& a, const ScoredWord& b) { return a.word == b.word; }),
      words.end());
  const WordFrequencies table = Loaded(EncodeFrequencies(words));

  std::vector<std::u16string> prefixes = {u""};
  for (const ScoredWord& entry : words)
    for (std::size_t n = 1; n <= 2 && n <= entry.word.size(); ++n)
      prefixes.push_back(entry.word.substr(0, n));
  std::sort(prefixes.begin(), prefixes.end());
  prefixes.erase(std::unique(prefixes.begin(), prefixes.end()), prefixes.end());

  for (const std::u16string& prefix : prefixes) {
    std::vector<ScoredWord> run;
    for (const ScoredWord& entry : words)
      if (entry.word.starts_with(prefix)) run.push_back(entry);
    std::stable_sort(run.begin(), run.end(),
                     [](const ScoredWord& a, const ScoredWord& b) { return a.score > b.score; });
    for (std::size_t count : {std::size_t{1}, std::size_t{9}, std::size_t{40}}) {
      SCOPED_TRACE(::testing::Message()
                   << "prefix length " << prefix.size() << ", count " << count);
      const std::vector<ScoredWord> expected(run.begin(),
                                             run.begin() + std::min(count, run.size()));
      ASSERT_EQ(table.Complete(prefix, count), expected);
    }
  }
}

TEST(WordFrequencies, EncodingRefusesWhatTheReaderCouldNotSearch) {
  const auto refused = [](std::vector<ScoredWord> words) {
    EXPECT_THROW(EncodeFrequencies(words), Error);
  };
  refused({{kKa + kSignAa, 3}, {kKa, 3}});  // out of order
  refused({{kKa, 3}, {kKa, 4}});            // twice
  refused({{u"", 3}});
  refused({{u"ka", 3}});
  refused({{u"\u0915\u200C", 3}});
  refused({{kKa, 0}});
  EXPECT_EQ(EncodeFrequencies({}).size(), 20u);  // a header and one offset
}

// A valid file with one field changed, as a little-endian u32 at offset.
Bytes WithU32(Bytes bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  return bytes;
}

TEST(WordFrequencies, ADamagedFileIsRefusedWithAnError) {
  const Bytes good = EncodeFrequencies(Sample());
  const std::size_t words = Sample().size();
  const std::size_t offsets = 16;
  const std::size_t letters = offsets + 4 * (words + 1);
  const std::size_t scores = good.size() - words;

  std::vector<std::pair<std::string, Bytes>> damaged;
  for (std::size_t size = 0; size < good.size(); ++size)
    damaged.emplace_back("cut to " + std::to_string(size),
                         Bytes(good.begin(), good.begin() + size));
  Bytes longer = good;
  longer.push_back(1);
  damaged.emplace_back("a byte more", longer);
  Bytes magic = good;
  magic[0] = 'X';
  damaged.emplace_back("magic", magic);
  damaged.emplace_back("version", WithU32(good, 4, 2));
  damaged.emplace_back("huge word count", WithU32(good, 8, 0xFFFFFFFF));
  damaged.emplace_back("huge letter count", WithU32(good, 12, 0xFFFFFFFF));
  damaged.emplace_back("first offset", WithU32(good, offsets, 1));
  damaged.emplace_back("last offset past the letters", WithU32(good, offsets + 4 * words, 0xFFFF));
  damaged.emplace_back("offset past the letters", WithU32(good, offsets + 8, 0xFFFFFFF0));
  damaged.emplace_back("offsets going back", WithU32(good, offsets + 8, 0));
  damaged.emplace_back("an empty word", WithU32(good, offsets + 8, 1));
  Bytes latin = good;
  latin[letters] = 0x80;
  damaged.emplace_back("a letter outside the block", latin);
  Bytes unsorted = good;
  unsorted[letters] = 0x20;  // ka becomes a letter after every other first letter
  damaged.emplace_back("words out of order", unsorted);
  Bytes zero = good;
  zero[scores + 2] = 0;
  damaged.emplace_back("a score of 0", zero);

  for (const auto& [what, bytes] : damaged) {
    SCOPED_TRACE(what);
    FrequenciesOrError result = WordFrequencies::FromBytes(bytes);
    ASSERT_TRUE(std::holds_alternative<Error>(result));
    EXPECT_EQ(std::get<Error>(result).number(), kInvalidFileFormat);
  }
}

TEST(WordFrequencies, AFileThatCannotBeReadIsAnError) {
  test::TempFolder folder;
  EXPECT_TRUE(std::holds_alternative<Error>(WordFrequencies::Load(folder / "missing.bin")));
  EXPECT_TRUE(std::holds_alternative<Error>(WordFrequencies::Load(folder.path())));
}

TEST(WordFrequencies, ScoresGrowBySixteenForEachDoubling) {
  EXPECT_EQ(ScoreOfCount(0), 0);
  EXPECT_EQ(ScoreOfCount(1), 1);
  EXPECT_EQ(ScoreOfCount(2), 17);
  EXPECT_EQ(ScoreOfCount(3), 26);
  EXPECT_EQ(ScoreOfCount(1024), 161);
  EXPECT_EQ(ScoreOfCount(std::uint64_t{1} << 40), 255);
  for (std::uint64_t count = 1; count < 100000; ++count)
    ASSERT_LE(ScoreOfCount(count), ScoreOfCount(count + 1)) << count;
}

}  // namespace
}  // namespace lekhora
