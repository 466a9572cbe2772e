// The pad's typing cases replayed through an input session: what the session
// commits, with the keys it lets through applied as an application would,
// must be the text the pad shows. Cases that edit the box from outside the
// keys, start with text or move the caret have no counterpart in a session
// and are left out.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/key_replay.h"
#include "engine/layout_choice.h"
#include "engine/layout_context.h"
#include "ime/input_session.h"
#include "ime/shared_words.h"

namespace lekhora {
namespace {

struct Case {
  int line = 0;
  std::string source;
  std::string layout;
  std::vector<std::string> keys;
  std::u16string expected;
  std::vector<std::u16string> words;
};

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

char16_t Unit(const std::string& t) {
  if (t == "<sp>") return u' ';
  if (t == "<lf>") return u'\n';
  if (t == "<tab>") return u'\t';
  if (t == "<bar>") return u'|';
  if (t.size() == 6 && t.starts_with("U+"))
    return static_cast<char16_t>(std::stoi(t.substr(2), nullptr, 16));
  return static_cast<char16_t>(static_cast<unsigned char>(t[0]));
}

std::u16string Text(const std::string& field, char sep) {
  std::u16string out;
  std::istringstream in(field);
  for (std::string t; std::getline(in, t, sep);)
    if (!Trim(t).empty()) out += Unit(Trim(t));
  return out;
}

bool Replayable(const std::string& key) {
  if (key.size() == 1 || (key.size() == 6 && key.starts_with("U+"))) return true;
  return key == "<sp>" || key == "<bs>" || key == "<enter>" || key == "<tab>" || key == "<bar>" ||
         key == "<shift+space>";
}

std::vector<Case> LoadCases() {
  std::ifstream in(LEKHORA_TYPING_CASES);
  std::vector<Case> cases;
  std::vector<std::u16string> words;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    const std::string t = Trim(line);
    if (t.empty() || t[0] == '#') continue;
    if (t.starts_with("words:")) {
      words.clear();
      std::istringstream w(t.substr(6));
      for (std::string word; w >> word;) words.push_back(Text(word, ','));
      continue;
    }
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string f; std::getline(split, f, '|');) fields.push_back(Trim(f));
    if (fields.size() != 3) continue;  // a start text, caret or selection
    Case c{number, line, fields[0], {}, {}, words};
    std::istringstream k(fields[1]);
    bool ok = true;
    for (std::string key; k >> key;) {
      const auto eq = key.find('=', 1);
      if (eq != std::string::npos) key = key.substr(0, eq);
      ok = ok && Replayable(key);
      c.keys.push_back(key);
    }
    std::istringstream e(fields[2]);
    for (std::string u; e >> u;) c.expected += Unit(u);
    // A second accept straight after the first replaces the word in the pad;
    // a session has committed the word by then and types a space.
    for (std::size_t i = 1; i < c.keys.size(); ++i)
      ok = ok && !(c.keys[i] == "<shift+space>" && c.keys[i - 1] == "<shift+space>");
    // A surrogate that is not half of a pair is no key an input method gets.
    for (std::size_t i = 0; i < c.keys.size(); ++i) {
      const char16_t u = Replayable(c.keys[i]) ? Unit(c.keys[i]) : 0;
      const bool high = u >= 0xD800 && u <= 0xDBFF;
      const bool low = u >= 0xDC00 && u <= 0xDFFF;
      if (high && i + 1 < c.keys.size() && Unit(c.keys[i + 1]) >= 0xDC00 &&
          Unit(c.keys[i + 1]) <= 0xDFFF)
        ++i;
      else if (high || low)
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

class SessionReplay : public ::testing::TestWithParam<Case> {};

TEST_P(SessionReplay, CommitsWhatThePadShows) {
  const Case& c = GetParam();
  const std::u16string layout(c.layout.begin(), c.layout.end());
  InputSession session(MakeLayoutContext(layout),
                       c.words.empty() ? nullptr : MakeSharedWords(c.words));
  App app;
  for (std::size_t i = 0; i < c.keys.size(); ++i) {
    const std::string& key = c.keys[i];
    ImeKeyEvent event;
    // The pad gets a character outside the BMP as two units, a session as one key.
    const char16_t unit = Unit(key);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < c.keys.size()) {
      const char32_t low = Unit(c.keys[++i]);
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
      event = CharacterKey(Unit(key));
    app.Apply(session.Key(event), event.key);
  }
  app.Leave(session);
  EXPECT_EQ(app.text, c.expected) << "line " << c.line << ": " << c.source;
}

INSTANTIATE_TEST_SUITE_P(Pad, SessionReplay, ::testing::ValuesIn(LoadCases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           return "line" + std::to_string(info.param.line);
                         });

// Every layout and every script: a text of keys typed in the pad (through the
// process-wide layout) and through a session gives the same text.
std::u16string PadText(std::u16string_view keys) {
  MemoryTextBox box;
  NoSuggestions none;
  TypingEngine engine(box, none);
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
    LoadLayouts();
    SetLayout(layout);
    InputSession session(MakeLayoutContext(layout), nullptr);
    EXPECT_EQ(SessionText(session, kKeys), PadText(kKeys))
        << std::string(layout.begin(), layout.end());
  }
}

TEST(SessionAgainstPad, EveryScript) {
  for (const OutputScript& script : OutputScripts()) {
    LoadLayouts();
    ChooseOutputScript(script.name);
    InputSession session(MakeLayoutContext(kPhoneticLayout, script.name), nullptr);
    EXPECT_EQ(SessionText(session, kKeys), PadText(kKeys))
        << std::string(script.name.begin(), script.name.end());
  }
}

}  // namespace
}  // namespace lekhora
