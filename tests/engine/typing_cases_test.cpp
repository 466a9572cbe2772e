// Replays every case of typing_cases.txt through the key handlers and compares
// the text after each key that gives one, and the text (and caret) the box ends with.

#include <gtest/gtest.h>

#include <map>
#include <optional>
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
#include "tests/engine/typing_cases.h"

namespace lekhora {
namespace {

using testing::Ascii;
using testing::BoxKey;
using testing::CommaText;
using testing::PressBoxKey;
using testing::Show;
using testing::Step;
using testing::TypingCase;
using testing::Unit;

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
void Play(const std::string& token, TypingEngine& engine, MemoryTextBox& box,
          LayoutChoice& layouts) {
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
    layouts.SetLayout(Ascii(token.substr(8, token.size() - 9)));
    engine.SetLayout(layouts.Current());
  } else if (token.starts_with("<script:")) {
    layouts.ChooseOutputScript(Ascii(token.substr(8, token.size() - 9)));
    engine.SetLayout(layouts.Current());
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
    lists_.WordList = WordArray(words);
    lists_.WordList.push_back(u"");  // the entry after the final CR LF
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
  LayoutChoice layouts;
  layouts.SetLayout(c.layout);
  MemoryTextBox box(c.start);
  if (c.caret >= 0) box.SetSelStart(c.caret);
  box.SetSelLength(c.selection);
  Typist typist(box, c.words);
  TypingEngine& engine = typist.Engine();
  engine.SetLayout(layouts.Current());

  std::string trace;
  std::vector<std::string> wrongSteps;
  for (std::size_t i = 0; i < c.steps.size(); ++i) {
    const Step& step = c.steps[i];
    Play(step.key, engine, box, layouts);
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

INSTANTIATE_TEST_SUITE_P(File, TypingCases,
                         ::testing::ValuesIn(testing::LoadTypingCases(LEKHORA_TYPING_CASES)),
                         [](const ::testing::TestParamInfo<TypingCase>& info) {
                           return "line" + std::to_string(info.param.line);
                         });

}  // namespace
}  // namespace lekhora
