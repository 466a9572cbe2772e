#include "ibus/lekhora_engine.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "base/program_folder.h"
#include "engine/layout_choice.h"
#include "ibus/engine_names.h"
#include "ibus/key_event.h"
#include "ime/input_session.h"
#include "ime/shared_words.h"
#include "text/utf8.h"

namespace lekhora {
namespace {

std::string& DataFolder() {
  static std::string folder;
  return folder;
}

// One source of words for every engine of the process, made when the first
// one starts: the bundled list, and the user's words from where the pad
// keeps them, read again at a focus after the pad has changed them.
WordsSource& Source() {
  static WordsSource source(
      DataFolder().empty() ? ProgramFolder() : std::filesystem::path(DataFolder()),
      UserWordsFile());
  return source;
}

// Tables are built once per layout and script and shared read-only.
std::shared_ptr<const LayoutContext> Context(std::u16string_view layout,
                                             std::u16string_view script) {
  static std::map<std::pair<std::u16string, std::u16string>, std::shared_ptr<const LayoutContext>>
      cache;
  auto& slot = cache[{std::u16string(layout), std::u16string(script)}];
  if (!slot) slot = MakeLayoutContext(layout, script);
  return slot;
}

// LEKHORA_IBUS_DEBUG names a file that gets a line per change of preedit and
// per commit, so tests can watch what the panel would show.
std::FILE* DebugFile() {
  static std::FILE* file = [] {
    const char* path = std::getenv("LEKHORA_IBUS_DEBUG");
    return path != nullptr && *path != 0 ? std::fopen(path, "a") : nullptr;
  }();
  return file;
}

void Debug(const char* what, const std::string& text) {
  if (std::FILE* f = DebugFile()) {
    std::fprintf(f, "%s [%s]\n", what, text.c_str());
    std::fflush(f);
  }
}

constexpr const char* kScriptPrefix = "script.";
constexpr const char* kSuggestionsProp = "suggestions";
constexpr const char* kLayoutOwnScript = "script.";  // the layout's own script

}  // namespace
}  // namespace lekhora

using namespace lekhora;

struct LekhoraEngine {
  IBusEngine parent;
  InputSession* session;
  std::u16string* layout;
  std::u16string* script;
  IBusPropList* props;
  IBusLookupTable* table;
};

struct LekhoraEngineClass {
  IBusEngineClass parent;
};

G_DEFINE_TYPE(LekhoraEngine, lekhora_engine, IBUS_TYPE_ENGINE)

namespace {

LekhoraEngine* Self(IBusEngine* engine) {
  return reinterpret_cast<LekhoraEngine*>(engine);
}

int CodePoints(std::u16string_view text, int units) {
  int count = 0;
  for (int i = 0; i < units && i < static_cast<int>(text.size()); ++i)
    if (text[static_cast<std::size_t>(i)] < 0xDC00 || text[static_cast<std::size_t>(i)] > 0xDFFF)
      ++count;
  return count;
}

void Apply(IBusEngine* engine, const SessionActions& a) {
  LekhoraEngine* self = Self(engine);
  if (!a.commit.empty()) {
    const std::string text = EncodeUtf8(a.commit);
    Debug("commit", text);
    ibus_engine_commit_text(engine, ibus_text_new_from_string(text.c_str()));
  }
  const std::string preedit = EncodeUtf8(a.preedit);
  Debug("preedit", preedit);
  IBusText* text = ibus_text_new_from_string(preedit.c_str());
  if (!a.preedit.empty()) {
    ibus_text_append_attribute(text, IBUS_ATTR_TYPE_UNDERLINE, IBUS_ATTR_UNDERLINE_SINGLE, 0,
                               static_cast<gint>(ibus_text_get_length(text)));
  }
  // The application commits the preedit itself when its focus leaves, it is
  // reset or the input method changes: the word stays in the input context
  // it was typed in. A commit sent from the engine at those moments reaches
  // whichever context the daemon has moved the engine to by then.
  ibus_engine_update_preedit_text_with_mode(
      engine, text, static_cast<guint>(CodePoints(a.preedit, a.caret)),
      a.preedit.empty() ? FALSE : TRUE, IBUS_ENGINE_PREEDIT_COMMIT);

  ibus_lookup_table_clear(self->table);
  std::string shown;
  for (const std::u16string& word : a.candidates) {
    const std::string utf8 = EncodeUtf8(word);
    shown += (shown.empty() ? "" : " ") + utf8;
    ibus_lookup_table_append_candidate(self->table, ibus_text_new_from_string(utf8.c_str()));
  }
  if (a.candidates.empty()) {
    ibus_engine_hide_lookup_table(engine);
  } else {
    Debug("candidates", shown + " @" + std::to_string(a.highlight));
    ibus_lookup_table_set_cursor_pos(self->table, static_cast<guint>(std::max(a.highlight, 0)));
    ibus_engine_update_lookup_table(engine, self->table, TRUE);
  }
}

std::u16string LayoutOf(const char* engineName) {
  for (const EngineName& e : kEngines)
    if (std::string_view(engineName) == e.name) return std::u16string(e.layout);
  return std::u16string(kPhoneticVimraLayout);
}

IBusPropList* BuildProps(LekhoraEngine* self) {
  IBusPropList* scripts = ibus_prop_list_new();
  auto radio = [&](const std::string& key, const std::string& label, bool on) {
    ibus_prop_list_append(
        scripts, ibus_property_new(key.c_str(), PROP_TYPE_RADIO,
                                   ibus_text_new_from_string(label.c_str()), nullptr, nullptr, TRUE,
                                   TRUE, on ? PROP_STATE_CHECKED : PROP_STATE_UNCHECKED, nullptr));
  };
  radio(kLayoutOwnScript, "The layout's own (Devanagari)", self->script->empty());
  for (const OutputScript& s : OutputScripts())
    radio(kScriptPrefix + EncodeUtf8(s.name), EncodeUtf8(s.name), *self->script == s.name);
  IBusPropList* props = ibus_prop_list_new();
  ibus_prop_list_append(
      props, ibus_property_new("script", PROP_TYPE_MENU, ibus_text_new_from_string("Output script"),
                               nullptr, nullptr, TRUE, TRUE, PROP_STATE_UNCHECKED, scripts));
  ibus_prop_list_append(
      props,
      ibus_property_new(kSuggestionsProp, PROP_TYPE_TOGGLE,
                        ibus_text_new_from_string("Suggestions"), nullptr, nullptr, TRUE, TRUE,
                        self->session->SuggestionsOn() ? PROP_STATE_CHECKED : PROP_STATE_UNCHECKED,
                        nullptr));
  return props;
}

void Constructed(GObject* object) {
  G_OBJECT_CLASS(lekhora_engine_parent_class)->constructed(object);
  LekhoraEngine* self = reinterpret_cast<LekhoraEngine*>(object);
  *self->layout = LayoutOf(ibus_engine_get_name(IBUS_ENGINE(object)));
  self->session = new InputSession(Context(*self->layout, {}), Source().Current());
  self->props = BuildProps(self);
  g_object_ref_sink(self->props);
}

void Finalize(GObject* object) {
  LekhoraEngine* self = reinterpret_cast<LekhoraEngine*>(object);
  delete self->session;
  delete self->layout;
  delete self->script;
  if (self->props) g_object_unref(self->props);
  g_object_unref(self->table);
  G_OBJECT_CLASS(lekhora_engine_parent_class)->finalize(object);
}

gboolean ProcessKey(IBusEngine* engine, guint keyval, guint /*keycode*/, guint state) {
  const SessionActions a = Self(engine)->session->Key(ToImeKey(keyval, state));
  // Releases, modifiers and keys passed with nothing composed change nothing shown.
  if (!a.consumed && a.commit.empty()) return FALSE;
  Apply(engine, a);
  return a.consumed ? TRUE : FALSE;
}

void FocusIn(IBusEngine* engine) {
  LekhoraEngine* self = Self(engine);
  ibus_engine_register_properties(engine, self->props);
  std::shared_ptr<const SharedWords> words = Source().Current();
  if (words != self->session->Words()) Apply(engine, self->session->SetWords(std::move(words)));
}

void FocusOut(IBusEngine* engine) {
  Apply(engine, Self(engine)->session->FocusOut());
}

void Reset(IBusEngine* engine) {
  Apply(engine, Self(engine)->session->Reset());
}

void Disable(IBusEngine* engine) {
  Apply(engine, Self(engine)->session->Reset());
}

void SetContentType(IBusEngine* engine, guint purpose, guint /*hints*/) {
  const bool secret = purpose == IBUS_INPUT_PURPOSE_PASSWORD || purpose == IBUS_INPUT_PURPOSE_PIN;
  Debug("purpose", std::to_string(purpose));
  LekhoraEngine* self = Self(engine);
  if (secret != self->session->PlainTyping()) Apply(engine, self->session->SetPlainTyping(secret));
}

void CandidateClicked(IBusEngine* engine, guint index, guint /*button*/, guint /*state*/) {
  Apply(engine, Self(engine)->session->ClickCandidate(static_cast<int>(index)));
}

void PageUp(IBusEngine* engine) {
  Apply(engine, Self(engine)->session->MoveHighlight(-kCandidatePage));
}

void PageDown(IBusEngine* engine) {
  Apply(engine, Self(engine)->session->MoveHighlight(kCandidatePage));
}

void CursorUp(IBusEngine* engine) {
  Apply(engine, Self(engine)->session->MoveHighlight(-1));
}

void CursorDown(IBusEngine* engine) {
  Apply(engine, Self(engine)->session->MoveHighlight(1));
}

void PropertyActivate(IBusEngine* engine, const gchar* name, guint state) {
  LekhoraEngine* self = Self(engine);
  const std::string_view key(name);
  if (key == kSuggestionsProp) {
    Apply(engine, self->session->CommitNow());
    self->session->SetSuggestionsOn(state == PROP_STATE_CHECKED);
  } else if (key.starts_with(kScriptPrefix) && state == PROP_STATE_CHECKED) {
    const std::u16string script =
        DecodeUtf8(key.substr(std::string_view(kScriptPrefix).size())).text;
    auto context = Context(*self->layout, script);
    if (!context) return;
    *self->script = script;
    Apply(engine, self->session->SetLayout(std::move(context)));
  } else {
    return;
  }
  g_object_unref(self->props);
  self->props = BuildProps(self);
  g_object_ref_sink(self->props);
  ibus_engine_register_properties(engine, self->props);
}

}  // namespace

static void lekhora_engine_init(LekhoraEngine* self) {
  self->session = nullptr;
  self->layout = new std::u16string();
  self->script = new std::u16string();
  self->props = nullptr;
  self->table = ibus_lookup_table_new(kCandidatePage, 0, TRUE, TRUE);
  g_object_ref_sink(self->table);
}

static void lekhora_engine_class_init(LekhoraEngineClass* klass) {
  GObjectClass* object = G_OBJECT_CLASS(klass);
  object->constructed = Constructed;
  object->finalize = Finalize;
  IBusEngineClass* engine = IBUS_ENGINE_CLASS(klass);
  engine->process_key_event = ProcessKey;
  engine->focus_in = FocusIn;
  engine->focus_out = FocusOut;
  engine->reset = Reset;
  engine->disable = Disable;
  engine->set_content_type = SetContentType;
  engine->candidate_clicked = CandidateClicked;
  engine->page_up = PageUp;
  engine->page_down = PageDown;
  engine->cursor_up = CursorUp;
  engine->cursor_down = CursorDown;
  engine->property_activate = PropertyActivate;
}

namespace lekhora {

void SetEngineDataFolder(const char* folder) {
  DataFolder() = folder;
}

}  // namespace lekhora
