// The pad's typing cases replayed through an input session: what the session
// commits, with the keys it lets through applied as an application would,
// must be the text the pad shows. Cases that edit the box from outside the
// keys, start with text or move the caret have no counterpart in a session
// and are left out.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/key_replay.h"
#include "engine/layout_choice.h"
#include "ime/input_session.h"
#include "ime/shared_words.h"
#include "tests/engine/typing_cases.h"

namespace lekhora {
namespace {

using testing::TypingCase;
using testing::UnitOf;

bool Replayable(const std::string& key) {
  if (key.size() == 1 || (key.size() == 6 && key.starts_with("U+"))) return true;
  return key == "<sp>" || key == "<bs>" || key == "<enter>" || key == "<tab>" || key == "<bar>" ||
         key == "<shift+space>";
}

bool IsHigh(char16_t u) {
  return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLow(char16_t u) {
  return u >= 0xDC00 && u <= 0xDFFF;
}

// The cases an input session can replay: keys only, into an empty text.
std::vector<TypingCase> LoadCases() {
  std::vector<TypingCase> cases;
  for (TypingCase& c : testing::LoadTypingCases(LEKHORA_TYPING_CASES)) {
    if (c.startsWithBox) continue;  // a start text, caret or selection
    bool ok = true;
    for (const testing::Step& step : c.steps) ok = ok && Replayable(step.key);
    // A second accept straight after the first replaces the word in the pad;
    // a session has committed the word by then and types a space.
    for (std::size_t i = 1; i < c.steps.size(); ++i)
      ok = ok && !(c.steps[i].key == "<shift+space>" && c.steps[i - 1].key == "<shift+space>");
    // A surrogate that is not half of a pair is no key an input method gets.
    for (std::size_t i = 0; ok && i < c.steps.size(); ++i) {
      const char16_t u = UnitOf(c.steps[i].key);
      if (IsHigh(u) && i + 1 < c.steps.size() && IsLow(UnitOf(c.steps[i + 1].key)))
        ++i;
      else if (IsHigh(u) || IsLow(u))
        ok = false;
    }
    if (ok) cases.push_back(std::move(c));
  }
  return cases;
}

// The application's side: commits go in at the end, passed keys act there;
// when the focus leaves, the application commits the preedit it shows.
struct App {
  std::u16string text;
  std::u16string preedit;
  void Leave(InputSession& session) {
    text += preedit;
    Apply(session.FocusOut(), ImeKey::Other);
  }
  void Apply(const SessionActions& a, ImeKey key) {
    text += a.commit;
    preedit = a.preedit;
    if (a.consumed) return;
    if (key == ImeKey::BackSpace && !text.empty()) text.pop_back();
    if (key == ImeKey::Return) text += u'\n';
    if (key == ImeKey::Tab) text += u'\t';
  }
};

class SessionReplay : public ::testing::TestWithParam<TypingCase> {};

TEST_P(SessionReplay, CommitsWhatThePadShows) {
  const TypingCase& c = GetParam();
  InputSession session(MakeLayout(c.layout), c.words.empty() ? nullptr : MakeSharedWords(c.words));
  App app;
  for (std::size_t i = 0; i < c.steps.size(); ++i) {
    const std::string& key = c.steps[i].key;
    ImeKeyEvent event;
    // The pad gets a character outside the BMP as two units, a session as one key.
    const char16_t unit = UnitOf(key);
    if (IsHigh(unit) && i + 1 < c.steps.size()) {
      const char32_t low = UnitOf(c.steps[++i].key);
      event = CharacterKey(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    } else if (key == "<bs>")
      event = NamedKey(ImeKey::BackSpace);
    else if (key == "<enter>")
      event = NamedKey(ImeKey::Return);
    else if (key == "<tab>")
      event = NamedKey(ImeKey::Tab);
    else if (key == "<shift+space>")
      event = CharacterKey(U' ', true);
    else
      event = CharacterKey(UnitOf(key));
    app.Apply(session.Key(event), event.key);
  }
  app.Leave(session);
  EXPECT_EQ(app.text, c.expected) << "line " << c.line << ": " << c.source;
}

INSTANTIATE_TEST_SUITE_P(Pad, SessionReplay, ::testing::ValuesIn(LoadCases()),
                         [](const ::testing::TestParamInfo<TypingCase>& info) {
                           return "line" + std::to_string(info.param.line);
                         });

// Every layout and every script: a text of keys typed in the pad (through the
// pad's layout choice) and through a session gives the same text.
std::u16string PadText(const LayoutChoice& pad, std::u16string_view keys) {
  MemoryTextBox box;
  NoSuggestions none;
  TypingEngine engine(box, none, pad.Current());
  for (char16_t k : keys) TypeKey(engine, box, k);
  return box.TakeText();
}

std::u16string SessionText(InputSession& session, std::u16string_view keys) {
  App app;
  for (char16_t k : keys) {
    const ImeKeyEvent event = k == u'\b' ? NamedKey(ImeKey::BackSpace) : CharacterKey(k);
    app.Apply(session.Key(event), event.key);
  }
  app.Leave(session);
  return app.text;
}

constexpr std::u16string_view kKeys =
    u"kh kai Aii mera\bi bhaarat! \"Ao\" ddh kSh 123 xyz ZYX  qwertyuiop[]asdfghjkl;'zxcvbnm,./ "
    u"QWERTYUIOP{}ASDFGHJKL:\"ZXCVBNM<>? `~!@#$%^&*()_+-= aiu aau eei ooh \b\b\bka";

TEST(SessionAgainstPad, EveryLayout) {
  for (std::u16string_view layout : LayoutNames()) {
    LayoutChoice pad;
    pad.SetLayout(layout);
    InputSession session(MakeLayout(layout), nullptr);
    EXPECT_EQ(SessionText(session, kKeys), PadText(pad, kKeys))
        << std::string(layout.begin(), layout.end());
  }
}

TEST(SessionAgainstPad, EveryScript) {
  for (const OutputScript& script : OutputScripts()) {
    LayoutChoice pad;
    pad.ChooseOutputScript(script.name);
    InputSession session(MakeLayout(kPhoneticLayout, script.name), nullptr);
    EXPECT_EQ(SessionText(session, kKeys), PadText(pad, kKeys))
        << std::string(script.name.begin(), script.name.end());
  }
}

}  // namespace
}  // namespace lekhora
