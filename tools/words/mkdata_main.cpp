// lekhora-mkdata: turns the readable UTF-8 sources in data/ into the UTF-16LE
// files the program reads. Run by the build.

#include <algorithm>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "base/utf16.h"
#include "suggest/word_lists.h"
#include "text/utf8.h"
#include "tools/words/file_io.h"

namespace {

using lekhora::tools::ReadUtf8;
using lekhora::tools::SplitLines;
using lekhora::tools::WriteBytes;

constexpr const char* kUsage =
    "usage: lekhora-mkdata list SOURCE DEST   one word a line -> sorted word list\n"
    "       lekhora-mkdata text SOURCE DEST   lines -> CR LF between lines\n";

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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << kUsage;
    return 2;
  }
  const std::string mode = argv[1];
  try {
    if (mode == "list") return MakeList(argv[2], argv[3]);
    if (mode == "text") return MakeText(argv[2], argv[3]);
  } catch (const std::exception& error) {
    std::cerr << "lekhora-mkdata: " << error.what() << '\n';
    return 1;
  }
  std::cerr << kUsage;
  return 2;
}
