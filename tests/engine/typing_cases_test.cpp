// Replays every case of typing_cases.txt through the key handlers and compares
// the text after each key that gives one, and the text (and caret) the box ends with.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/key_replay.h"
#include "engine/layout_choice.h"
#include "engine/memory_text_box.h"
#include "engine/typing_engine.h"
#include "suggest/suggestion_view.h"
#include "suggest/suggestions.h"
#include "suggest/word_lists.h"
#include "tests/engine/box_keys.h"
#include "tests/engine/test_text.h"

namespace lekhora {
namespace {

using testing::BoxKey;
using testing::PressBoxKey;
using testing::Show;

// A key and, when the case gives one, the whole text expected right after it.
struct Step {
  std::string key;
  std::optional<std::u16string> after;
};

struct TypingCase {
  int line = 0;
  std::string source;
  std::u16string layout;
  std::vector<Step> steps;
  std::u16string expected;
  std::u16string start;
  int caret = -1;  // -1: end of the start text
  int selection = 0;
  int caretAfter = -1;                // -1: not checked
  std::vector<std::u16string> words;  // the word list; none: no suggestions
};

// The line number, not the bytes, names a case in the test list.
void PrintTo(const TypingCase& c, std::ostream* out) {
  *out << "line " << c.line;
}

std::vector<std::string> Tokens(const std::string& field) {
  std::istringstream in(field);
  std::vector<std::string> tokens;
  for (std::string token; in >> token;) tokens.push_back(token);
  return tokens;
}

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::u16string Ascii(std::string_view s) {
  return std::u16string(s.begin(), s.end());
}

// A unit written as U+XXXX, one of the names below, or a single ASCII character.
char16_t Unit(const std::string& token) {
  if (token.size() > 2 && token.starts_with("U+"))
    return static_cast<char16_t>(std::strtoul(token.c_str() + 2, nullptr, 16));
  if (token == "<sp>") return u' ';
  if (token == "<bar>") return u'|';
  if (token == "<lf>") return u'\n';
  if (token == "<tab>") return u'\t';
  if (token == "<bs>") return 8;
  if (token == "<enter>") return 13;
  if (token.size() == 1) return static_cast<char16_t>(token[0]);
  ADD_FAILURE() << "unknown token " << token;
  return 0;
}

std::u16string Text(const std::string& field) {
  std::u16string text;
  for (const std::string& token : Tokens(field)) text += Unit(token);
  return text;
}

// The units of "KEY=A,B,C" after the "=", comma-separated.
std::u16string CommaText(const std::string& list) {
  std::string spaced = list;
  std::replace(spaced.begin(), spaced.end(), ',', ' ');
  return Text(spaced);
}

// "KEY" or "KEY=TEXT": the first "=" after the key's first character splits
// them, so the key "=" itself is "==TEXT".
std::vector<Step> Steps(const std::string& field) {
  std::vector<Step> steps;
  for (const std::string& token : Tokens(field)) {
    const std::size_t equals = token.find('=', 1);
    if (equals == std::string::npos) {
      steps.push_back({token, std::nullopt});
    } else {
      steps.push_back({token.substr(0, equals), CommaText(token.substr(equals + 1))});
    }
  }
  return steps;
}

std::vector<TypingCase> LoadCases() {
  std::ifstream in(LEKHORA_TYPING_CASES);
  EXPECT_TRUE(in) << "cannot open " << LEKHORA_TYPING_CASES;
  std::vector<TypingCase> cases;
  std::vector<std::u16string> words;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (Trim(line).empty() || Trim(line)[0] == '#') continue;
    if (Trim(line).starts_with("words:")) {
      words.clear();
      for (const std::string& word : Tokens(Trim(line).substr(6))) words.push_back(CommaText(word));
      std::sort(words.begin(), words.end());
      continue;
    }
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, '|');) fields.push_back(Trim(field));
    if (fields.size() < 3) {
      ADD_FAILURE() << "line " << number << ": needs layout | keys | expected";
      continue;
    }
    TypingCase c;
    c.line = number;
    c.source = line;
    c.layout = Ascii(fields[0]);
    c.steps = Steps(fields[1]);
    c.expected = Text(fields[2]);
    if (fields.size() > 3) c.start = Text(fields[3]);
    if (fields.size() > 4 && !fields[4].empty()) c.caret = std::stoi(fields[4]);
    if (fields.size() > 5 && !fields[5].empty()) c.selection = std::stoi(fields[5]);
    if (fields.size() > 6 && !fields[6].empty()) c.caretAfter = std::stoi(fields[6]);
    c.words = words;
    cases.push_back(std::move(c));
  }
  return cases;
}

// The number in "<name:N>".
int Argument(const std::string& token) {
  return std::stoi(token.substr(token.find(':') + 1));
}

std::optional<BoxKey> BoxKeyOf(const std::string& token) {
  static const std::map<std::string, BoxKey> kKeys = {
      {"<left>", BoxKey::kLeft},
      {"<right>", BoxKey::kRight},
      {"<home>", BoxKey::kHome},
      {"<end>", BoxKey::kEnd},
      {"<del>", BoxKey::kDelete},
      {"<ctrl+a>", BoxKey::kSelectAll},
      {"<shift+right>", BoxKey::kShiftRight},
      {"<shift+up>", BoxKey::kShiftUp},
      {"<shift+down>", BoxKey::kShiftDown},
  };
  const auto found = kKeys.find(token);
  if (found == kKeys.end()) return std::nullopt;
  return found->second;
}

// Runs one key token the way the typing box would raise it. Edits from
// outside the key handlers are reported to the engine as the typing box
// reports its changes.
void Play(const std::string& token, TypingEngine& engine, MemoryTextBox& box) {
  if (token == "<on>" || token == "<off>") {
    engine.SetConversion(token == "<on>");
  } else if (token == "<click>") {
    engine.MouseUp();
  } else if (token.starts_with("<click:")) {
    box.SetSelStart(Argument(token));
    engine.BoxChanged();
    engine.MouseUp();
  } else if (token == "<shift+space>") {
    TypeKey(engine, box, u' ', {kVkSpace, kShiftBit});
  } else if (token == "<ctrl+d>") {
    TypeKey(engine, box, u'd', {'D', kCtrlBit});
  } else if (token.starts_with("<bs:")) {
    testing::HoldBackspace(engine, box, Argument(token));
  } else if (const std::optional<BoxKey> key = BoxKeyOf(token)) {
    PressBoxKey(engine, box, *key);
  } else if (token.starts_with("<layout:")) {
    SetLayout(Ascii(token.substr(8, token.size() - 9)));
  } else if (token.starts_with("<script:")) {
    ChooseOutputScript(Ascii(token.substr(8, token.size() - 9)));
  } else if (token.starts_with("<sel:")) {
    const std::size_t comma = token.find(',');
    box.SetSelStart(std::stoi(token.substr(5, comma - 5)));
    box.SetSelLength(std::stoi(token.substr(comma + 1)));
    engine.BoxChanged();
  } else if (token.starts_with("<insert:")) {
    box.SetSelText(CommaText(token.substr(8, token.size() - 9)));
    engine.BoxChanged();
  } else {
    TypeKey(engine, box, Unit(token));
  }
}

// The engine, with the real suggestions over the case's word list when it
// has one.
class Typist {
 public:
  Typist(MemoryTextBox& box, const std::vector<std::u16string>& words) {
    if (words.empty()) {
      plain_.emplace(box, none_);
      return;
    }
    lists_.WordList = words;
    lists_.WordList.emplace_back();  // the entry after the final CR LF
    lists_.WordCount = static_cast<std::int16_t>(words.size());
    suggesting_.emplace(box, lists_, view_);
  }
  TypingEngine& Engine() { return plain_ ? *plain_ : suggesting_->engine; }

 private:
  struct Suggesting {
    Suggesting(MemoryTextBox& box, const WordLists& lists, SuggestionView& view)
        : engine(box, suggestions), suggestions(engine.State(), lists, view) {}
    TypingEngine engine;
    Suggestions suggestions;
  };
  NoSuggestions none_;
  WordLists lists_;
  StringSuggestionView view_;
  std::optional<TypingEngine> plain_;
  std::optional<Suggesting> suggesting_;
};

class TypingCases : public ::testing::TestWithParam<TypingCase> {};

TEST_P(TypingCases, TypesExpectedText) {
  const TypingCase& c = GetParam();
  LoadLayouts();
  SetLayout(c.layout);
  MemoryTextBox box(c.start);
  if (c.caret >= 0) box.SetSelStart(c.caret);
  box.SetSelLength(c.selection);
  Typist typist(box, c.words);
  TypingEngine& engine = typist.Engine();

  std::string trace;
  std::vector<std::string> wrongSteps;
  for (std::size_t i = 0; i < c.steps.size(); ++i) {
    const Step& step = c.steps[i];
    Play(step.key, engine, box);
    trace += "  " + step.key + " -> " + Show(box.View());
    if (step.after && box.View() != *step.after) {
      trace += "   <-- expected " + Show(*step.after);
      wrongSteps.push_back(std::to_string(i + 1) + " (" + step.key + ")");
    }
    trace += "\n";
  }
  for (const std::string& wrong : wrongSteps)
    ADD_FAILURE() << "line " << c.line << ": " << c.source << "\n wrong text after key " << wrong
                  << "\n"
                  << trace;
  EXPECT_EQ(box.View(), c.expected)
      << "line " << c.line << ": " << c.source << "\n expected " << Show(c.expected)
      << "\n   actual " << Show(box.View()) << "\n"
      << trace;
  if (c.caretAfter >= 0) {
    EXPECT_EQ(box.SelStart(), c.caretAfter) << "line " << c.line;
  }
}

INSTANTIATE_TEST_SUITE_P(File, TypingCases, ::testing::ValuesIn(LoadCases()),
                         [](const ::testing::TestParamInfo<TypingCase>& info) {
                           return "line" + std::to_string(info.param.line);
                         });

}  // namespace
}  // namespace lekhora
