// lekhora-mkdata: turns the readable UTF-8 sources in data/ into the UTF-16LE
// files the program reads. Run by the build.

#include <algorithm>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "base/utf16.h"
#include "roman/train.h"
#include "suggest/word_frequencies.h"
#include "suggest/word_lists.h"
#include "text/utf8.h"
#include "tools/words/file_io.h"
#include "tools/words/frequency_sources.h"

namespace {

using lekhora::tools::ReadUtf8;
using lekhora::tools::SplitLines;
using lekhora::tools::WriteBytes;

constexpr const char* kUsage =
    "usage: lekhora-mkdata list SOURCE DEST   one word a line -> sorted word list\n"
    "       lekhora-mkdata text SOURCE DEST   lines -> CR LF between lines\n"
    "       lekhora-mkdata frequencies COUNTS LIST COMMON DEST\n"
    "                                         word counts -> word frequency table\n";

// The search needs the words in code-unit order, and one empty entry follows
// the final CR LF, so one entry of the 16-bit range is taken by it.
int MakeList(const std::string& source, const std::string& dest) {
  std::vector<std::u16string> words;
  for (const std::string& line : SplitLines(ReadUtf8(source)))
    if (!line.empty()) words.push_back(lekhora::Utf8ToUtf16(line));
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  if (words.size() + 1 > static_cast<std::size_t>(lekhora::kMaxWordListEntries)) {
    std::cerr << "lekhora-mkdata: " << words.size() << " words, at most "
              << lekhora::kMaxWordListEntries - 1 << " fit\n";
    return 1;
  }
  std::u16string text;
  for (const std::u16string& word : words) text += word + u"\r\n";
  WriteBytes(dest, lekhora::Utf16ToBytes(text));
  return 0;
}

int MakeText(const std::string& source, const std::string& dest) {
  std::u16string text;
  const std::vector<std::string> lines = SplitLines(ReadUtf8(source));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += u"\r\n";
    text += lekhora::Utf8ToUtf16(lines[i]);
  }
  WriteBytes(dest, lekhora::Utf16ToBytes(text));
  return 0;
}

// Words the list has but the counted text lacks are known at the lowest
// score; the everyday words, which formal prose uses more than the spoken
// counts show, at about the rank of the 3 000th counted word.
constexpr std::uint64_t kListFloor = 1;
constexpr std::uint64_t kCommonWordFloor = 16;

// The first field of each line that is not a # comment.
std::vector<std::u16string> FirstFields(const std::string& source) {
  std::vector<std::u16string> words;
  for (const std::string& line : SplitLines(ReadUtf8(source))) {
    const std::string word = line.substr(0, line.find_first_of(" \t"));
    if (!word.empty() && word.front() != '#') words.push_back(lekhora::Utf8ToUtf16(word));
  }
  return words;
}

int MakeFrequencies(const std::string& counts_source, const std::string& list,
                    const std::string& common, const std::string& dest) {
  lekhora::words::FrequencyCounts counts;
  lekhora::words::AddCounts(ReadUtf8(counts_source), counts);
  lekhora::words::RaiseToFloor(FirstFields(list), kListFloor, counts);
  lekhora::words::RaiseToFloor(FirstFields(common), kCommonWordFloor, counts);
  WriteBytes(dest, lekhora::EncodeFrequencies(lekhora::words::ScoredWords(counts)));
  return 0;
}

// The model learns from every spelling of the lexicon; the same lexicon gives
// the same bytes.
int MakeRoman(const std::string& lexicon, const std::string& dest) {
  const std::string model =
      lekhora::roman::TrainModel(lekhora::roman::ReadLexicon(ReadUtf8(lexicon)));
  WriteBytes(dest, std::vector<std::uint8_t>(model.begin(), model.end()));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << kUsage;
    return 2;
  }
  const std::string mode = argv[1];
  try {
    if (mode == "frequencies" && argc == 6)
      return MakeFrequencies(argv[2], argv[3], argv[4], argv[5]);
    if (argc != 4) {
      std::cerr << kUsage;
      return 2;
    }
    if (mode == "list") return MakeList(argv[2], argv[3]);
    if (mode == "text") return MakeText(argv[2], argv[3]);
    if (mode == "roman") return MakeRoman(argv[2], argv[3]);
  } catch (const std::exception& error) {
    std::cerr << "lekhora-mkdata: " << error.what() << '\n';
    return 1;
  }
  std::cerr << kUsage;
  return 2;
}
