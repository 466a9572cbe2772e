// lekhora-words: checks a word list and shows what the suggestion popup would
// show for a prefix.

#include <charconv>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <variant>
#include <vector>

#include "base/error.h"
#include "base/utf16.h"
#include "codec/he3.h"
#include "codec/he3_format.h"
#include "engine/typing_state.h"
#include "suggest/canonical_fold.h"
#include "suggest/suggestion_view.h"
#include "suggest/suggestions.h"
#include "suggest/word_frequencies.h"
#include "suggest/word_lists.h"
#include "text/lines.h"
#include "text/utf8.h"
#include "tools/words/file_io.h"
#include "tools/words/ranked_commands.h"
#include "tools/words/word_checks.h"

namespace {

constexpr const char* kUsage =
    "usage: lekhora-words check [--strict] FILE\n"
    "       lekhora-words covers FILE WORDS\n"
    "       lekhora-words suggest FILE PREFIX [--index N]\n"
    "       lekhora-words frequent TABLE PREFIX [--count N]\n"
    "       lekhora-words candidates [--layout NAME] [--history FILE|--no-history] [--count N]\n"
    "                                PREFIX...\n"
    "       lekhora-words learn --history FILE\n"
    "FILE is a word list, plain (UTF-16LE, CR LF) or compressed (HE3).\n"
    "--strict also checks the spelling of every word.\n"
    "WORDS is UTF-8, a word at the start of each line; lines starting with # are skipped.\n"
    "PREFIX is UTF-8; N is the current suggestion before the search (default 0).\n"
    "TABLE is a word frequency table (hnfreq.bin); frequent prints the N most frequent\n"
    "words beginning with PREFIX (default 9, 0 for all) with their scores, best first.\n"
    "candidates prints, for each Devanagari PREFIX, the first N (default 9) candidates the\n"
    "input method shows for it, best first, and a blank line after each; the user's own\n"
    "words and history unless told otherwise (the history is read, never changed).\n"
    "learn commits each Devanagari word of the UTF-8 text on standard input into the\n"
    "history FILE as the input method's commits do, a line at a time.\n";

int Usage() {
  std::cerr << kUsage;
  return 2;
}

bool IsCompressed(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= static_cast<std::size_t>(lekhora::he3::kIdSize) &&
         lekhora::he3::IsIdentification(bytes.data());
}

// A compressed file goes through the decoder exactly as at start-up (a missing
// file too, so it fails with the decoder's own error); anything else is taken
// as a plain list. What is there but no file (a folder, a device, a pipe) is
// refused by the reader, which says what it is.
std::u16string LoadText(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::status(path, ec).type() == std::filesystem::file_type::not_found)
    return lekhora::BytesToUtf16(lekhora::DecodeFile(path));
  const std::vector<std::uint8_t> bytes = lekhora::tools::ReadBytes(path);
  if (IsCompressed(bytes)) return lekhora::BytesToUtf16(lekhora::DecodeFile(path));
  return lekhora::BytesToUtf16(bytes);
}

std::string Show(std::u16string_view word) {
  return '"' + lekhora::Utf16ToUtf8(word) + '"';
}

std::string CodePoints(std::u16string_view word) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char16_t unit : word) {
    out += out.empty() ? "U+" : " U+";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 15];
  }
  return out;
}

struct LoadedList {
  std::vector<std::u16string> entries;
  std::size_t words;  // the searched entries, 0 .. words-1
  bool final_crlf;
};

LoadedList LoadList(const std::filesystem::path& path) {
  const std::u16string text = LoadText(path);
  LoadedList list{lekhora::SplitCrLf(text), 0, text.size() >= 2 && text.ends_with(u"\r\n")};
  // After a final CR LF the last entry is the empty one that is never searched.
  list.words = list.final_crlf ? list.entries.size() - 1 : list.entries.size();
  return list;
}

// Every word against the spelling rules; the first few faults are named with
// their line, the rest counted.
bool CheckSpelling(const std::vector<std::u16string>& entries, std::size_t words) {
  constexpr std::size_t kShown = 20;
  std::size_t faults = 0;
  for (std::size_t i = 0; i < words; ++i) {
    const std::optional<lekhora::words::WordFault> fault = lekhora::words::CheckWord(entries[i]);
    if (!fault) continue;
    if (++faults > kShown) continue;
    std::cout << "strict: line " << i + 1 << ' ' << Show(entries[i]) << " ("
              << CodePoints(entries[i]) << "): " << lekhora::words::RuleText(fault->rule) << " ["
              << lekhora::words::RuleName(fault->rule) << "]";
    if (fault->rule != lekhora::words::WordRule::kNormalFormC &&
        fault->rule != lekhora::words::WordRule::kEmpty)
      std::cout << " at " << CodePoints(std::u16string_view(entries[i]).substr(fault->at, 1))
                << ", unit " << fault->at;
    std::cout << '\n';
  }
  if (faults > kShown) std::cout << "strict: and " << faults - kShown << " more\n";
  if (faults == 0) {
    std::cout << "strict: every word passes\n";
  } else {
    std::cout << "strict: " << faults << " of " << words << " words fail\n";
  }
  return faults == 0;
}

int Check(const std::filesystem::path& path, bool strict) {
  const LoadedList list = LoadList(path);
  const std::vector<std::u16string>& entries = list.entries;
  const std::size_t words = list.words;
  const bool final_crlf = list.final_crlf;
  bool ok = true;

  std::cout << "entries: " << entries.size() << '\n';
  std::cout << "words: " << words << '\n';

  std::size_t unsorted = 0;
  for (std::size_t i = 1; i < words && unsorted == 0; ++i)
    if (entries[i] < entries[i - 1]) unsorted = i;
  if (unsorted == 0) {
    std::cout << "sorted: yes\n";
  } else {
    ok = false;
    std::cout << "sorted: no, entry " << unsorted - 1 << ' ' << Show(entries[unsorted - 1])
              << " comes before entry " << unsorted << ' ' << Show(entries[unsorted]) << '\n';
  }

  std::unordered_set<std::u16string> seen;
  std::size_t duplicates = 0;
  std::u16string first_duplicate;
  for (std::size_t i = 0; i < words; ++i)
    if (!seen.insert(entries[i]).second && duplicates++ == 0) first_duplicate = entries[i];
  if (duplicates == 0) {
    std::cout << "duplicates: none\n";
  } else {
    ok = false;
    std::cout << "duplicates: " << duplicates << ", first " << Show(first_duplicate) << '\n';
  }

  const bool fits = entries.size() <= static_cast<std::size_t>(lekhora::kMaxWordListEntries);
  ok = ok && fits;
  std::cout << "limit: " << (fits ? "fits" : "too many") << " (" << entries.size()
            << " entries, at most " << lekhora::kMaxWordListEntries << ")\n";

  ok = ok && final_crlf;
  std::cout << "final CR LF: " << (final_crlf ? "yes" : "no, the last word is never suggested")
            << '\n';
  if (strict) ok = CheckSpelling(entries, words) && ok;
  return ok ? 0 : 1;
}

// Whether every word of a check list (the first field of each line) is one
// the search can find in the list.
int Covers(const std::filesystem::path& path, const std::filesystem::path& words_path) {
  const LoadedList list = LoadList(path);
  // The search never looks at the last entry: the empty one after the final
  // CR LF, or else a word it would miss.
  const std::size_t searchable = list.entries.empty() ? 0 : list.entries.size() - 1;
  const std::unordered_set<std::u16string> searched(list.entries.begin(),
                                                    list.entries.begin() + searchable);
  const std::string text = lekhora::tools::ReadUtf8(words_path);
  // Words that are not UTF-8 would be reported as missing in bytes no one
  // can read; the file is refused before anything is said about it.
  if (const auto bad = lekhora::DecodeUtf8(text).badOffset) {
    std::cerr << "lekhora-words: " << words_path.string()
              << " is not valid UTF-8: bad byte at offset " << *bad << '\n';
    return 1;
  }
  std::size_t wanted = 0;
  std::size_t missing = 0;
  for (const std::string& line : lekhora::tools::SplitLines(text)) {
    const std::string word = line.substr(0, line.find_first_of(" \t"));
    if (word.empty() || word.front() == '#') continue;
    ++wanted;
    if (searched.contains(lekhora::Utf8ToUtf16(word))) continue;
    ++missing;
    std::cout << "missing: \"" << word << "\" (" << CodePoints(lekhora::Utf8ToUtf16(word)) << ")\n";
  }
  std::cout << "covers: " << wanted - missing << " of " << wanted << " words\n";
  return missing == 0 && wanted > 0 ? 0 : 1;
}

bool ParseIndex(std::string_view text, std::int16_t& index) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, index);
  return ec == std::errc() && ptr == end;
}

void PrintLines(std::u16string_view text) {
  std::string out = lekhora::Utf16ToUtf8(text);
  for (std::size_t at = out.find("\r\n"); at != std::string::npos; at = out.find("\r\n", at))
    out.erase(at, 1);
  std::cout << out;
}

int Suggest(const std::filesystem::path& path, std::string_view prefix, std::int16_t index) {
  lekhora::WordLists lists;
  // Start-up would swallow these failures; here they are the answer.
  lekhora::FillWordList(LoadText(path), lists);

  lekhora::TypingState state;
  state.WordPrefix = lekhora::Utf8ToUtf16(prefix);
  lekhora::StringSuggestionView view;
  lekhora::Suggestions suggestions(state, lists, view);
  suggestions.SetSuggestionIndex(index);
  const std::int16_t result = suggestions.SearchList();
  suggestions.ShowSuggestions();

  std::cout << "result: " << result << '\n';
  std::cout << "index: " << suggestions.SuggestionIndex() << '\n';
  std::cout << "main:" << lekhora::Utf16ToUtf8(view.MainCaption()) << '\n';
  PrintLines(view.TipText());
  return 0;
}

int Frequent(const std::filesystem::path& path, std::string_view prefix, std::size_t count) {
  lekhora::FrequenciesOrError loaded = lekhora::WordFrequencies::Load(path);
  if (const lekhora::Error* error = std::get_if<lekhora::Error>(&loaded)) throw *error;
  const lekhora::WordFrequencies& table = std::get<lekhora::WordFrequencies>(loaded);
  // What was typed is folded as the search folds it.
  std::u16string storage;
  const std::u16string typed = lekhora::Utf8ToUtf16(prefix);
  const std::u16string_view folded = lekhora::SearchForm(typed, storage);
  const auto [first, last] = table.PrefixRange(folded);
  std::cout << "words: " << table.size() << ", " << last - first << " begin with the prefix\n";
  for (const lekhora::ScoredWord& word : table.Complete(folded, count == 0 ? last - first : count))
    std::cout << lekhora::Utf16ToUtf8(word.word) << ' ' << int{word.score} << '\n';
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  try {
    if (args.size() == 2 && args[0] == "check" && args[1] != "--strict")
      return Check(args[1], false);
    if (args.size() == 3 && args[0] == "check" && args[1] == "--strict")
      return Check(args[2], true);
    if (args.size() == 3 && args[0] == "covers") return Covers(args[1], args[2]);
    if (args.size() >= 3 && args[0] == "suggest") {
      std::int16_t index = 0;
      if (args.size() == 5 && args[3] == "--index") {
        if (!ParseIndex(args[4], index)) return Usage();
      } else if (args.size() != 3) {
        return Usage();
      }
      return Suggest(args[1], args[2], index);
    }
    if (!args.empty() && args[0] == "candidates") {
      const int status = lekhora::CandidatesCommand(args);
      return status == 2 ? Usage() : status;
    }
    if (!args.empty() && args[0] == "learn") {
      const int status = lekhora::LearnCommand(args);
      return status == 2 ? Usage() : status;
    }
    if (args.size() >= 3 && args[0] == "frequent") {
      std::size_t count = 9;
      if (args.size() == 5 && args[3] == "--count") {
        const char* end = args[4].data() + args[4].size();
        const auto [ptr, ec] = std::from_chars(args[4].data(), end, count);
        if (ec != std::errc() || ptr != end) return Usage();
      } else if (args.size() != 3) {
        return Usage();
      }
      return Frequent(args[1], args[2], count);
    }
  } catch (const lekhora::Error& error) {
    std::cerr << "lekhora-words: error " << error.number() << " (" << error.source()
              << "): " << error.description() << '\n';
    return 1;
  } catch (const std::exception& error) {
    std::cerr << "lekhora-words: " << error.what() << '\n';
    return 1;
  }
  return Usage();
}
