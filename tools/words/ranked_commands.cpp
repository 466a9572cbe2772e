#include "tools/words/ranked_commands.h"

#include <charconv>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "base/program_folder.h"
#include "engine/layout.h"
#include "ime/input_session.h"
#include "ime/shared_words.h"
#include "suggest/canonical_fold.h"
#include "text/utf8.h"
#include "tools/typist/key_finder.h"
#include "userdata/user_folders.h"
#include "userdata/word_ranking.h"

namespace lekhora {
namespace {

struct CandidateArgs {
  std::u16string layout{kPhoneticVimraLayout};
  std::optional<std::filesystem::path> history;
  bool noHistory = false;
  int count = kCandidatePage;
  std::vector<std::u16string> prefixes;
};

std::optional<CandidateArgs> ParseCandidates(const std::vector<std::string_view>& args) {
  CandidateArgs parsed;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--layout" && hasValue) {
      parsed.layout = Utf8ToUtf16(args[++i]);
    } else if (arg == "--history" && hasValue && !parsed.noHistory) {
      parsed.history = std::filesystem::path(args[++i]);
    } else if (arg == "--no-history" && !parsed.history) {
      parsed.noHistory = true;
    } else if (arg == "--count" && hasValue) {
      const std::string_view value = args[++i];
      const auto [end, error] =
          std::from_chars(value.data(), value.data() + value.size(), parsed.count);
      if (error != std::errc{} || end != value.data() + value.size() || parsed.count < 1)
        return std::nullopt;
    } else if (!arg.starts_with("--")) {
      parsed.prefixes.push_back(Utf8ToUtf16(arg));
    } else {
      return std::nullopt;
    }
  }
  if (parsed.prefixes.empty()) return std::nullopt;
  return parsed;
}

// The candidates the session lists, page after page, up to count.
std::vector<std::u16string> Listed(InputSession& session, SessionActions shown, int count) {
  std::vector<std::u16string> listed;
  while (!shown.candidates.empty()) {
    for (const std::u16string& word : shown.candidates)
      if (static_cast<int>(listed.size()) < count) listed.push_back(word);
    if (static_cast<int>(listed.size()) >= count) break;
    shown = session.MoveHighlight(kCandidatePage - shown.highlight);
    // The last page again: nothing more to list.
    if (shown.candidates.empty() || shown.candidates.back() == listed.back()) break;
  }
  return listed;
}

}  // namespace

int CandidatesCommand(const std::vector<std::string_view>& args) {
  const std::optional<CandidateArgs> parsed = ParseCandidates(args);
  if (!parsed) return 2;
  const std::shared_ptr<const Layout> layout = MakeLayout(parsed->layout);
  if (!layout) {
    std::cerr << "lekhora-words: no layout " << EncodeUtf8(parsed->layout) << '\n';
    return 2;
  }
  // The user's own history unless told otherwise; read, never changed.
  std::filesystem::path history;
  if (parsed->history)
    history = *parsed->history;
  else if (!parsed->noHistory)
    history = DefaultHistoryFile();
  WordRanking ranking(ProgramFolder(), history);
  ranking.SetLearning(false);
  const auto words = LoadSharedWords(ProgramFolder(), UserWordsFile());
  typist::KeyFinder finder(layout);
  int status = 0;
  for (const std::u16string& typed : parsed->prefixes) {
    std::u16string folded;
    const std::u16string prefix(SearchForm(typed, folded));
    const std::optional<typist::KeyPath>& keys = finder.Find(prefix);
    if (!keys) {
      std::cerr << "lekhora-words: " << EncodeUtf8(parsed->layout) << " cannot type "
                << EncodeUtf8(prefix) << '\n';
      status = 1;
      std::cout << '\n';
      continue;
    }
    // Typed into a fresh session as the input method types it.
    InputSession session(layout, words);
    session.SetRanking(&ranking);
    SessionActions shown;
    for (char16_t key : keys->keys) shown = session.Key(CharacterKey(key));
    for (const std::u16string& word : Listed(session, shown, parsed->count))
      std::cout << EncodeUtf8(word) << '\n';
    std::cout << '\n';
  }
  return status;
}

int LearnCommand(const std::vector<std::string_view>& args) {
  if (args.size() != 3 || args[1] != "--history") return 2;
  const std::string text{std::istreambuf_iterator<char>(std::cin), {}};
  const Utf8Result result = DecodeUtf8(text);
  if (result.badOffset) {
    std::cerr << "lekhora-words: the text on standard input is not UTF-8 at byte "
              << *result.badOffset << '\n';
    return 1;
  }
  const std::u16string& decoded = result.text;
  WordRanking ranking(ProgramFolder(), std::filesystem::path(args[2]));
  // Each line as one commit of the input method: the words of a line follow
  // one another, a line's first word follows nothing.
  std::size_t start = 0;
  while (start <= decoded.size()) {
    std::size_t end = decoded.find(u'\n', start);
    if (end == std::u16string::npos) end = decoded.size();
    std::u16string previous;
    ranking.Learn(std::u16string_view(decoded).substr(start, end - start), previous);
    start = end + 1;
  }
  if (ranking.History().Flush() == FlushResult::Busy) {
    std::cerr << "lekhora-words: the history is busy; nothing was written\n";
    return 1;
  }
  for (const std::string& note : ranking.History().TakeNotes())
    std::cerr << "lekhora-words: " << note << '\n';
  if (ranking.History().InMemoryOnly()) return 1;
  return 0;
}

}  // namespace lekhora
