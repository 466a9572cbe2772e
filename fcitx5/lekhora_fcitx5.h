#pragma once
// The Lekhora input methods as an fcitx5 addon: each input context has a
// session of its own (ime/), and this turns fcitx5's events into session
// calls and the sessions' actions into preedit, commits and candidates.

#include <fcitx-utils/event.h>
#include <fcitx-utils/eventdispatcher.h>
#include <fcitx/action.h>
#include <fcitx/addonfactory.h>
#include <fcitx/addoninstance.h>
#include <fcitx/addonmanager.h>
#include <fcitx/inputcontextproperty.h>
#include <fcitx/inputmethodengine.h>
#include <fcitx/instance.h>
#include <fcitx/menu.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ime/front_end.h"
#include "ime/input_session.h"
#include "ime/session_actions.h"

namespace lekhora {

class LekhoraFcitx;

/// The session of one input context, made at its first key or focus.
class ContextState final : public fcitx::InputContextProperty {
 public:
  std::unique_ptr<InputSession> session;
};

class LekhoraFcitx final : public fcitx::InputMethodEngineV2 {
 public:
  explicit LekhoraFcitx(fcitx::Instance* instance);
  ~LekhoraFcitx() override;

  void keyEvent(const fcitx::InputMethodEntry& entry, fcitx::KeyEvent& event) override;
  void activate(const fcitx::InputMethodEntry& entry, fcitx::InputContextEvent& event) override;
  void deactivate(const fcitx::InputMethodEntry& entry, fcitx::InputContextEvent& event) override;
  void reset(const fcitx::InputMethodEntry& entry, fcitx::InputContextEvent& event) override;

  /// The candidate window's clicks and buttons.
  void Click(fcitx::InputContext* ic, int index);
  void MoveHighlight(fcitx::InputContext* ic, int steps);

 private:
  InputSession& Session(fcitx::InputContext* ic, const fcitx::InputMethodEntry* entry);
  SessionSettings Settings(fcitx::InputContext* ic, const fcitx::InputMethodEntry* entry) const;
  void Apply(fcitx::InputContext* ic, const SessionActions& actions);
  /// The menu, as the IBus engine's: the output script, suggestions on or
  /// off, learning on or off, clearing the history.
  void MakeMenu();
  void ShowMenu(fcitx::InputContext* ic, std::u16string_view layout);
  void ChooseScript(fcitx::InputContext* ic, const std::u16string& script);
  void SwitchSuggestions(fcitx::InputContext* ic);
  void RunLater(std::function<void()> task);

  fcitx::Instance* instance_;
  // Runs the shared words' tasks on fcitx5's loop; made before and gone
  // after them, as their history may still be read on its own thread.
  std::unique_ptr<fcitx::EventDispatcher> dispatcher_;
  FrontEnd shared_;
  fcitx::FactoryFor<ContextState> factory_;
  bool suggestions_ = true;
  // The output script chosen for each layout; none: the layout's own.
  std::map<std::u16string, std::u16string> scripts_;
  fcitx::SimpleAction scriptAction_;
  fcitx::Menu scriptMenu_;
  // The layout's own script first, then OutputScripts().
  std::vector<std::pair<std::u16string, std::unique_ptr<fcitx::SimpleAction>>> scriptChoices_;
  fcitx::SimpleAction suggestionsAction_;
  fcitx::SimpleAction learnAction_;
  fcitx::SimpleAction clearAction_;
  // The shared words' tasks (writing the history) wait a moment on fcitx5's
  // loop, so that they do not come between a key and its text.
  std::vector<std::function<void()>> later_;
  std::unique_ptr<fcitx::EventSourceTime> laterTimer_;
};

class LekhoraFcitxFactory final : public fcitx::AddonFactory {
 public:
  fcitx::AddonInstance* create(fcitx::AddonManager* manager) override;
};

}  // namespace lekhora
