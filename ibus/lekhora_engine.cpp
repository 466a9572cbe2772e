#include "ibus/lekhora_engine.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "engine/layout.h"
#include "ibus/key_event.h"
#include "ime/engine_names.h"
#include "ime/front_end.h"
#include "ime/input_contexts.h"
#include "ime/input_session.h"
#include "text/utf8.h"

namespace lekhora {
namespace {

std::string& DataFolder() {
  static std::string folder;
  return folder;
}

// What every engine of the process shares, made when the first one starts:
// the daemon makes a new engine at each switch of input method.
FrontEnd& Shared() {
  static FrontEnd shared(DataFolder(), "lekhora-ibus", [](std::function<void()> task) {
    g_idle_add(
        [](gpointer data) -> gboolean {
          const std::unique_ptr<std::function<void()>> run(
              static_cast<std::function<void()>*>(data));
          (*run)();
          return G_SOURCE_REMOVE;
        },
        new std::function<void()>(std::move(task)));
  });
  return shared;
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
constexpr const char* kLearnProp = "learn";
constexpr const char* kClearHistoryProp = "clear-history";
constexpr const char* kLayoutOwnScript = "script.";  // the layout's own script

}  // namespace
}  // namespace lekhora

using namespace lekhora;

struct LekhoraEngine {
  IBusEngine parent;
  InputContexts* contexts;
  std::u16string* layout;
  std::u16string* script;
  IBusPropList* props;
  IBusLookupTable* table;
  bool suggestions;
  bool secret;  // the focused field is a password or PIN field
  // The preedit is shown in IBus's commit mode (see Apply, KeepsWord).
  bool commitMode;
  // The letters of a word typed in Latin letters are shown beside the candidates.
  bool auxiliaryShown;
};

struct LekhoraEngineClass {
  IBusEngineClass parent;
};

G_DEFINE_TYPE(LekhoraEngine, lekhora_engine, IBUS_TYPE_ENGINE)

namespace {

LekhoraEngine* Self(IBusEngine* engine) {
  return reinterpret_cast<LekhoraEngine*>(engine);
}

InputSession& Session(IBusEngine* engine) {
  return Self(engine)->contexts->Current();
}

SessionSettings Settings(const LekhoraEngine* self) {
  return {*self->layout, *self->script, self->suggestions, self->secret};
}

// Qt's input context commits the preedit it shows by itself when the focus
// moves between its widgets or they are clicked, without telling the daemon
// so: with the daemon committing it as well the word would go in twice, the
// second time into the widget focused next. Its words stay with the engine
// instead until the context has the focus again.
bool KeepsWord(std::string_view client) {
  return client.starts_with("QIBusInputContext");
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
    Shared().FlushSoon();
  }
  const std::string preedit = EncodeUtf8(a.preedit);
  Debug("preedit", preedit);
  IBusText* text = ibus_text_new_from_string(preedit.c_str());
  if (!a.preedit.empty()) {
    ibus_text_append_attribute(text, IBUS_ATTR_TYPE_UNDERLINE, IBUS_ATTR_UNDERLINE_SINGLE, 0,
                               static_cast<gint>(ibus_text_get_length(text)));
  }
  // In commit mode the daemon or the application commits the preedit shown
  // when the context loses the focus or the input method changes, so the
  // word goes into the context it was typed in; a commit the engine sent at
  // those moments would reach whichever context the daemon has moved the
  // engine to by then. In clear mode (Qt) the word is kept for the context.
  ibus_engine_update_preedit_text_with_mode(
      engine, text, static_cast<guint>(CodePoints(a.preedit, a.caret)),
      a.preedit.empty() ? FALSE : TRUE,
      self->commitMode ? IBUS_ENGINE_PREEDIT_COMMIT : IBUS_ENGINE_PREEDIT_CLEAR);

  // The letters a word is typed in, beside the candidates.
  if (!a.auxiliary.empty()) {
    ibus_engine_update_auxiliary_text(
        engine, ibus_text_new_from_string(EncodeUtf8(a.auxiliary).c_str()), TRUE);
    self->auxiliaryShown = true;
  } else if (self->auxiliaryShown) {
    ibus_engine_hide_auxiliary_text(engine);
    self->auxiliaryShown = false;
  }

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
  // Latin letters become Devanagari words only: no other script to choose.
  if (*self->layout != kIntelligentRomanLayout) {
    ibus_prop_list_append(
        props,
        ibus_property_new("script", PROP_TYPE_MENU, ibus_text_new_from_string("Output script"),
                          nullptr, nullptr, TRUE, TRUE, PROP_STATE_UNCHECKED, scripts));
  } else {
    g_object_ref_sink(scripts);
    g_object_unref(scripts);
  }
  ibus_prop_list_append(
      props,
      ibus_property_new(kSuggestionsProp, PROP_TYPE_TOGGLE,
                        ibus_text_new_from_string("Suggestions"), nullptr, nullptr, TRUE, TRUE,
                        self->suggestions ? PROP_STATE_CHECKED : PROP_STATE_UNCHECKED, nullptr));
  ibus_prop_list_append(
      props, ibus_property_new(
                 kLearnProp, PROP_TYPE_TOGGLE, ibus_text_new_from_string("Learn the words I type"),
                 nullptr, nullptr, TRUE, TRUE,
                 Shared().Learning().On() ? PROP_STATE_CHECKED : PROP_STATE_UNCHECKED, nullptr));
  ibus_prop_list_append(
      props, ibus_property_new(kClearHistoryProp, PROP_TYPE_NORMAL,
                               ibus_text_new_from_string("Clear typing history"), nullptr, nullptr,
                               TRUE, TRUE, PROP_STATE_UNCHECKED, nullptr));
  return props;
}

// Shows the menu as the engine's settings stand now.
void RegisterProps(IBusEngine* engine) {
  LekhoraEngine* self = Self(engine);
  if (self->props) g_object_unref(self->props);
  self->props = BuildProps(self);
  g_object_ref_sink(self->props);
  ibus_engine_register_properties(engine, self->props);
}

// Every engine asks the daemon to name the input context at each focus
// change (FocusInId), which the daemon does only for engines constructed so.
GObject* Constructor(GType type, guint count, GObjectConstructParam* params) {
  for (guint i = 0; i < count; ++i)
    if (std::string_view(g_param_spec_get_name(params[i].pspec)) == "has-focus-id")
      g_value_set_boolean(params[i].value, TRUE);
  return G_OBJECT_CLASS(lekhora_engine_parent_class)->constructor(type, count, params);
}

void Constructed(GObject* object) {
  G_OBJECT_CLASS(lekhora_engine_parent_class)->constructed(object);
  LekhoraEngine* self = reinterpret_cast<LekhoraEngine*>(object);
  *self->layout = LayoutOf(ibus_engine_get_name(IBUS_ENGINE(object)));
  self->contexts = new InputContexts([self] { return Shared().MakeSession(Settings(self)); },
                                     Shared().KeptWords());
  self->props = BuildProps(self);
  g_object_ref_sink(self->props);
}

void Finalize(GObject* object) {
  LekhoraEngine* self = reinterpret_cast<LekhoraEngine*>(object);
  delete self->contexts;
  delete self->layout;
  delete self->script;
  if (self->props) g_object_unref(self->props);
  g_object_unref(self->table);
  G_OBJECT_CLASS(lekhora_engine_parent_class)->finalize(object);
}

gboolean ProcessKey(IBusEngine* engine, guint keyval, guint /*keycode*/, guint state) {
  const SessionActions a = Session(engine).Key(ToImeKey(keyval, state));
  // Releases, modifiers and keys passed with nothing composed change nothing shown.
  if (!a.consumed && a.commit.empty()) return FALSE;
  Apply(engine, a);
  return a.consumed ? TRUE : FALSE;
}

// The settings of the engine as the focused context's session finds them:
// the words may have changed, the script been chosen while it was away.
void CatchUp(IBusEngine* engine) {
  Shared().CatchUp(Session(engine), Settings(Self(engine)),
                   [engine](const SessionActions& a) { Apply(engine, a); });
}

void FocusInId(IBusEngine* engine, const gchar* path, const gchar* client) {
  LekhoraEngine* self = Self(engine);
  const bool keeps = KeepsWord(client != nullptr ? client : "");
  self->commitMode = !keeps;
  Debug("focus",
        std::string(client != nullptr ? client : "") + " " + (path != nullptr ? path : ""));
  // Learning may have been switched, words learned in the pad or another process.
  Shared().Refresh();
  RegisterProps(engine);
  Apply(engine, self->contexts->FocusIn(path != nullptr ? path : "", keeps));
  CatchUp(engine);
}

void FocusOutId(IBusEngine* engine, const gchar* path) {
  Debug("focus-out", path != nullptr ? path : "");
  Apply(engine, Self(engine)->contexts->FocusOut(path != nullptr ? path : ""));
}

// A daemon that does not name the contexts: one context for all.
void FocusIn(IBusEngine* engine) {
  FocusInId(engine, "", "");
}

void FocusOut(IBusEngine* engine) {
  FocusOutId(engine, "");
}

void Reset(IBusEngine* engine) {
  Debug("reset", "");
  Apply(engine, Session(engine).Reset());
}

// Another input method takes over the focused context: as a focus change.
void Disable(IBusEngine* engine) {
  Debug("disable", "");
  LekhoraEngine* self = Self(engine);
  Apply(engine, self->contexts->FocusOut(self->contexts->CurrentId()));
}

void SetContentType(IBusEngine* engine, guint purpose, guint /*hints*/) {
  LekhoraEngine* self = Self(engine);
  self->secret = purpose == IBUS_INPUT_PURPOSE_PASSWORD || purpose == IBUS_INPUT_PURPOSE_PIN;
  Debug("purpose", std::to_string(purpose));
  InputSession& session = Session(engine);
  if (self->secret != session.PlainTyping()) Apply(engine, session.SetPlainTyping(self->secret));
}

void CandidateClicked(IBusEngine* engine, guint index, guint /*button*/, guint /*state*/) {
  Apply(engine, Session(engine).ClickCandidate(static_cast<int>(index)));
}

void PageUp(IBusEngine* engine) {
  Apply(engine, Session(engine).MoveHighlight(-kCandidatePage));
}

void PageDown(IBusEngine* engine) {
  Apply(engine, Session(engine).MoveHighlight(kCandidatePage));
}

void CursorUp(IBusEngine* engine) {
  Apply(engine, Session(engine).MoveHighlight(-1));
}

void CursorDown(IBusEngine* engine) {
  Apply(engine, Session(engine).MoveHighlight(1));
}

void PropertyActivate(IBusEngine* engine, const gchar* name, guint state) {
  LekhoraEngine* self = Self(engine);
  const std::string_view key(name);
  if (key == kSuggestionsProp) {
    Apply(engine, Session(engine).CommitNow());
    self->suggestions = state == PROP_STATE_CHECKED;
    self->contexts->ForEach([self](InputSession& s) { s.SetSuggestionsOn(self->suggestions); });
  } else if (key.starts_with(kScriptPrefix) && state == PROP_STATE_CHECKED) {
    const std::u16string script =
        DecodeUtf8(key.substr(std::string_view(kScriptPrefix).size())).text;
    auto context = Shared().Context(*self->layout, script);
    if (!context) return;
    *self->script = script;
    Apply(engine, Session(engine).SetLayout(std::move(context)));
  } else if (key == kLearnProp) {
    if (!Shared().Learning().Set(state == PROP_STATE_CHECKED))
      std::fprintf(stderr, "lekhora-ibus: the learning setting could not be saved\n");
    Debug("learn", Shared().Learning().On() ? "on" : "off");
  } else if (key == kClearHistoryProp) {
    Shared().Learning().ClearHistory();
    Debug("clear-history", "");
  } else {
    return;
  }
  RegisterProps(engine);
}

}  // namespace

static void lekhora_engine_init(LekhoraEngine* self) {
  self->contexts = nullptr;
  self->suggestions = true;
  self->secret = false;
  self->commitMode = true;
  self->auxiliaryShown = false;
  self->layout = new std::u16string();
  self->script = new std::u16string();
  self->props = nullptr;
  self->table = ibus_lookup_table_new(kCandidatePage, 0, TRUE, TRUE);
  g_object_ref_sink(self->table);
}

static void lekhora_engine_class_init(LekhoraEngineClass* klass) {
  GObjectClass* object = G_OBJECT_CLASS(klass);
  object->constructor = Constructor;
  object->constructed = Constructed;
  object->finalize = Finalize;
  IBusEngineClass* engine = IBUS_ENGINE_CLASS(klass);
  engine->process_key_event = ProcessKey;
  engine->focus_in = FocusIn;
  engine->focus_out = FocusOut;
  engine->focus_in_id = FocusInId;
  engine->focus_out_id = FocusOutId;
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
