#include "fcitx5/lekhora_fcitx5.h"

#include <dlfcn.h>
#include <fcitx-utils/capabilityflags.h>
#include <fcitx/candidatelist.h>
#include <fcitx/inputcontext.h>
#include <fcitx/inputpanel.h>
#include <fcitx/statusarea.h>
#include <fcitx/text.h>
#include <fcitx/userinterface.h>
#include <fcitx/userinterfacemanager.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <utility>

#include "engine/layout.h"
#include "fcitx5/key_event.h"
#include "fcitx5/preedit_text.h"
#include "ime/engine_names.h"
#include "text/utf8.h"

namespace lekhora {
namespace {

// The word lists lie beside the addon in the build tree, and in the
// program's folder (LIBDIR/lekhora) beside the addon folder (LIBDIR/fcitx5)
// once installed.
std::filesystem::path DataFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&DataFolder), &info) == 0 || info.dli_fname == nullptr)
    return LEKHORA_FCITX5_DATA_DIR;
  const std::filesystem::path beside = std::filesystem::path(info.dli_fname).parent_path();
  std::error_code error;
  if (std::filesystem::exists(beside / "hnhugeenc.txt", error)) return beside;
  const std::filesystem::path installed = beside.parent_path() / "lekhora";
  if (std::filesystem::exists(installed / "hnhugeenc.txt", error)) return installed;
  return LEKHORA_FCITX5_DATA_DIR;
}

// LEKHORA_FCITX5_DEBUG names a file that gets a line per change of preedit,
// per commit and per candidate list, so tests can watch what is shown.
void Debug(const char* what, const std::string& text) {
  static std::FILE* file = [] {
    const char* path = std::getenv("LEKHORA_FCITX5_DEBUG");
    return path != nullptr && *path != 0 ? std::fopen(path, "a") : nullptr;
  }();
  if (file != nullptr) {
    std::fprintf(file, "%s [%s]\n", what, text.c_str());
    std::fflush(file);
  }
}

std::u16string_view LayoutOf(const fcitx::InputMethodEntry* entry) {
  if (entry != nullptr)
    for (const EngineName& e : kEngines)
      if (entry->uniqueName() == e.name) return e.layout;
  return kPhoneticVimraLayout;
}

bool Secret(const fcitx::InputContext* ic) {
  return ic->capabilityFlags().testAny(fcitx::CapabilityFlag::PasswordOrSensitive);
}

class Candidate final : public fcitx::CandidateWord {
 public:
  Candidate(LekhoraFcitx* engine, int index, const std::string& word)
      : fcitx::CandidateWord(fcitx::Text(word)), engine_(engine), index_(index) {}
  // Selecting replaces the list and with it this word: nothing of it is used after.
  void select(fcitx::InputContext* ic) const override { engine_->Click(ic, index_); }

 private:
  LekhoraFcitx* engine_;
  int index_;
};

// One page of the session's candidates; its paging and cursor buttons move
// the session's highlight, which then shows the next list.
class Candidates final : public fcitx::CommonCandidateList {
 public:
  Candidates(LekhoraFcitx* engine, fcitx::InputContext* ic, const SessionActions& a)
      : engine_(engine), ic_(ic), before_(a.pageBefore), after_(a.pageAfter) {
    setPageSize(kCandidatePage);
    // The session takes the digits 1 to 9 for the candidates of the page.
    setLabels();
    for (std::size_t i = 0; i < a.candidates.size(); ++i)
      append<Candidate>(engine, static_cast<int>(i), EncodeUtf8(a.candidates[i]));
    if (a.highlight >= 0) setGlobalCursorIndex(a.highlight);
  }
  bool hasPrev() const override { return before_; }
  bool hasNext() const override { return after_; }
  void prev() override { Move(-kCandidatePage); }
  void next() override { Move(kCandidatePage); }
  bool usedNextBefore() const override { return true; }
  int totalPages() const override { return -1; }
  int currentPage() const override { return -1; }
  void prevCandidate() override { Move(-1); }
  void nextCandidate() override { Move(1); }

 private:
  // Replaces this list: nothing of it is used after.
  void Move(int steps) {
    LekhoraFcitx* engine = engine_;
    fcitx::InputContext* ic = ic_;
    engine->MoveHighlight(ic, steps);
  }

  LekhoraFcitx* engine_;
  fcitx::InputContext* ic_;
  bool before_;
  bool after_;
};

}  // namespace

LekhoraFcitx::LekhoraFcitx(fcitx::Instance* instance)
    : instance_(instance),
      dispatcher_([instance] {
        auto dispatcher = std::make_unique<fcitx::EventDispatcher>();
        dispatcher->attach(&instance->eventLoop());
        return dispatcher;
      }()),
      shared_(DataFolder(), "lekhora-fcitx5",
              [this, dispatcher = dispatcher_.get()](std::function<void()> task) {
                // From the history's own thread as well: the dispatcher
                // brings the task onto the loop.
                dispatcher->schedule(
                    [this, task = std::move(task)]() mutable { RunLater(std::move(task)); });
              }),
      factory_([](fcitx::InputContext&) { return new ContextState; }) {
  instance_->inputContextManager().registerProperty("lekhoraState", &factory_);
  laterTimer_ = instance_->eventLoop().addTimeEvent(
      CLOCK_MONOTONIC, 0, 0, [this](fcitx::EventSourceTime*, std::uint64_t) {
        for (std::function<void()>& run : std::exchange(later_, {})) run();
        return true;
      });
  laterTimer_->setEnabled(false);
  MakeMenu();
}

void LekhoraFcitx::RunLater(std::function<void()> task) {
  // Long enough for the key's text to reach the client first, short enough
  // that another process sees the words learned at once.
  constexpr std::uint64_t kDelayUs = 20000;
  later_.push_back(std::move(task));
  if (laterTimer_->isEnabled()) return;
  laterTimer_->setTime(fcitx::now(CLOCK_MONOTONIC) + kDelayUs);
  laterTimer_->setOneShot();
}

void LekhoraFcitx::MakeMenu() {
  fcitx::UserInterfaceManager& ui = instance_->userInterfaceManager();
  scriptAction_.setShortText("Output script");
  scriptAction_.setMenu(&scriptMenu_);
  ui.registerAction("lekhora-script", &scriptAction_);
  scriptChoices_.emplace_back(u"", std::make_unique<fcitx::SimpleAction>());
  scriptChoices_.back().second->setShortText("The layout's own (Devanagari)");
  for (const OutputScript& script : OutputScripts()) {
    scriptChoices_.emplace_back(std::u16string(script.name),
                                std::make_unique<fcitx::SimpleAction>());
    scriptChoices_.back().second->setShortText(EncodeUtf8(script.name));
  }
  for (auto& [script, action] : scriptChoices_) {
    action->setCheckable(true);
    action->connect<fcitx::SimpleAction::Activated>(
        [this, script = script](fcitx::InputContext* ic) { ChooseScript(ic, script); });
    ui.registerAction("lekhora-script-" + EncodeUtf8(script), action.get());
    scriptMenu_.addAction(action.get());
  }
  suggestionsAction_.setShortText("Suggestions");
  suggestionsAction_.setCheckable(true);
  suggestionsAction_.connect<fcitx::SimpleAction::Activated>(
      [this](fcitx::InputContext* ic) { SwitchSuggestions(ic); });
  ui.registerAction("lekhora-suggestions", &suggestionsAction_);
  learnAction_.setShortText("Learn the words I type");
  learnAction_.setCheckable(true);
  learnAction_.connect<fcitx::SimpleAction::Activated>([this](fcitx::InputContext* ic) {
    if (!shared_.Learning().Set(!shared_.Learning().On()))
      std::fprintf(stderr, "lekhora-fcitx5: the learning setting could not be saved\n");
    Debug("learn", shared_.Learning().On() ? "on" : "off");
    learnAction_.setChecked(shared_.Learning().On());
    learnAction_.update(ic);
  });
  ui.registerAction("lekhora-learn", &learnAction_);
  clearAction_.setShortText("Clear typing history");
  clearAction_.connect<fcitx::SimpleAction::Activated>([this](fcitx::InputContext*) {
    shared_.Learning().ClearHistory();
    Debug("clear-history", "");
  });
  ui.registerAction("lekhora-clear-history", &clearAction_);
}

void LekhoraFcitx::ShowMenu(fcitx::InputContext* ic, std::u16string_view layout) {
  fcitx::StatusArea& area = ic->statusArea();
  area.clearGroup(fcitx::StatusGroup::InputMethod);
  // Latin letters become Devanagari words only: no other script to choose.
  if (layout != kIntelligentRomanLayout) {
    const auto chosen = scripts_.find(std::u16string(layout));
    const std::u16string script = chosen == scripts_.end() ? u"" : chosen->second;
    for (auto& [name, action] : scriptChoices_) action->setChecked(name == script);
    area.addAction(fcitx::StatusGroup::InputMethod, &scriptAction_);
  }
  suggestionsAction_.setChecked(suggestions_);
  learnAction_.setChecked(shared_.Learning().On());
  area.addAction(fcitx::StatusGroup::InputMethod, &suggestionsAction_);
  area.addAction(fcitx::StatusGroup::InputMethod, &learnAction_);
  area.addAction(fcitx::StatusGroup::InputMethod, &clearAction_);
  // The panels (the tray, a desktop's own) show the menu anew.
  ic->updateUserInterface(fcitx::UserInterfaceComponent::StatusArea);
}

void LekhoraFcitx::ChooseScript(fcitx::InputContext* ic, const std::u16string& script) {
  const std::u16string layout(LayoutOf(instance_->inputMethodEntry(ic)));
  auto context = shared_.Context(layout, script);
  if (!context || layout == kIntelligentRomanLayout) return;
  scripts_[layout] = script;
  Debug("script", EncodeUtf8(script));
  Apply(ic, Session(ic, instance_->inputMethodEntry(ic)).SetLayout(std::move(context)));
  for (auto& [name, action] : scriptChoices_) {
    action->setChecked(name == script);
    action->update(ic);
  }
  scriptAction_.update(ic);
}

void LekhoraFcitx::SwitchSuggestions(fcitx::InputContext* ic) {
  InputSession& session = Session(ic, instance_->inputMethodEntry(ic));
  Apply(ic, session.CommitNow());
  suggestions_ = !suggestions_;
  // The other contexts' sessions follow at their next focus (CatchUp).
  session.SetSuggestionsOn(suggestions_);
  Debug("suggestions", suggestions_ ? "on" : "off");
  suggestionsAction_.setChecked(suggestions_);
  suggestionsAction_.update(ic);
}

LekhoraFcitx::~LekhoraFcitx() {
  fcitx::UserInterfaceManager& ui = instance_->userInterfaceManager();
  for (auto& choice : scriptChoices_) {
    scriptMenu_.removeAction(choice.second.get());
    ui.unregisterAction(choice.second.get());
  }
  for (fcitx::Action* action :
       {static_cast<fcitx::Action*>(&scriptAction_),
        static_cast<fcitx::Action*>(&suggestionsAction_),
        static_cast<fcitx::Action*>(&learnAction_), static_cast<fcitx::Action*>(&clearAction_)})
    ui.unregisterAction(action);
}

SessionSettings LekhoraFcitx::Settings(fcitx::InputContext* ic,
                                       const fcitx::InputMethodEntry* entry) const {
  SessionSettings settings;
  settings.layout = std::u16string(LayoutOf(entry));
  if (auto it = scripts_.find(settings.layout); it != scripts_.end()) settings.script = it->second;
  settings.suggestions = suggestions_;
  settings.secret = Secret(ic);
  return settings;
}

InputSession& LekhoraFcitx::Session(fcitx::InputContext* ic, const fcitx::InputMethodEntry* entry) {
  ContextState* state = ic->propertyFor(&factory_);
  if (!state->session) state->session = shared_.MakeSession(Settings(ic, entry));
  return *state->session;
}

void LekhoraFcitx::Apply(fcitx::InputContext* ic, const SessionActions& a) {
  if (!a.commit.empty()) {
    const std::string text = EncodeUtf8(a.commit);
    Debug("commit", text);
    ic->commitString(text);
    shared_.FlushSoon();
  }
  fcitx::InputPanel& panel = ic->inputPanel();
  Debug("preedit", EncodeUtf8(a.preedit));
  const fcitx::Text text = PreeditText(a.preedit, a.caret);
  // In the client where it can show it, else in fcitx5's own window.
  if (ic->capabilityFlags().test(fcitx::CapabilityFlag::Preedit)) {
    panel.setClientPreedit(text);
    panel.setPreedit({});
  } else {
    panel.setClientPreedit({});
    panel.setPreedit(text);
  }
  panel.setAuxUp(fcitx::Text(EncodeUtf8(a.auxiliary)));
  if (a.candidates.empty()) {
    panel.setCandidateList(nullptr);
  } else {
    std::string shown;
    for (const std::u16string& word : a.candidates) {
      if (!shown.empty()) shown += ' ';
      shown += EncodeUtf8(word);
    }
    Debug("candidates", shown + " @" + std::to_string(a.highlight));
    panel.setCandidateList(std::make_unique<Candidates>(this, ic, a));
  }
  ic->updatePreedit();
  ic->updateUserInterface(fcitx::UserInterfaceComponent::InputPanel);
}

void LekhoraFcitx::keyEvent(const fcitx::InputMethodEntry& entry, fcitx::KeyEvent& event) {
  fcitx::InputContext* ic = event.inputContext();
  InputSession& session = Session(ic, &entry);
  // A field can become a password field while it has the focus.
  if (session.PlainTyping() != Secret(ic)) Apply(ic, session.SetPlainTyping(Secret(ic)));
  // The raw key is what the keyboard typed, with the modifiers that made it.
  const SessionActions a = session.Key(ToImeKey(event.rawKey(), event.isRelease()));
  // Releases, modifiers and keys passed with nothing composed change nothing shown.
  if (!a.consumed && a.commit.empty()) return;
  Apply(ic, a);
  if (a.consumed) event.filterAndAccept();
}

void LekhoraFcitx::activate(const fcitx::InputMethodEntry& entry, fcitx::InputContextEvent& event) {
  fcitx::InputContext* ic = event.inputContext();
  Debug("focus", ic->program());
  // Learning may have been switched, words learned in the pad or another process.
  shared_.Refresh();
  ShowMenu(ic, LayoutOf(&entry));
  shared_.CatchUp(Session(ic, &entry), Settings(ic, &entry),
                  [this, ic](const SessionActions& a) { Apply(ic, a); });
}

// fcitx5 itself commits the preedit shown when the context loses the focus
// or changes input method (or the client does): the session forgets it.
void LekhoraFcitx::deactivate(const fcitx::InputMethodEntry& entry,
                              fcitx::InputContextEvent& event) {
  fcitx::InputContext* ic = event.inputContext();
  Debug("focus-out", ic->program());
  Apply(ic, Session(ic, &entry).FocusOut());
}

void LekhoraFcitx::reset(const fcitx::InputMethodEntry& entry, fcitx::InputContextEvent& event) {
  fcitx::InputContext* ic = event.inputContext();
  Debug("reset", "");
  Apply(ic, Session(ic, &entry).Reset());
}

void LekhoraFcitx::Click(fcitx::InputContext* ic, int index) {
  Debug("click", std::to_string(index));
  ContextState* state = ic->propertyFor(&factory_);
  if (state->session) Apply(ic, state->session->ClickCandidate(index));
}

void LekhoraFcitx::MoveHighlight(fcitx::InputContext* ic, int steps) {
  ContextState* state = ic->propertyFor(&factory_);
  if (state->session) Apply(ic, state->session->MoveHighlight(steps));
}

fcitx::AddonInstance* LekhoraFcitxFactory::create(fcitx::AddonManager* manager) {
  return new LekhoraFcitx(manager->instance());
}

}  // namespace lekhora

FCITX_ADDON_FACTORY(lekhora::LekhoraFcitxFactory)
