#include "ui/shell/windows.h"

#include <exception>

#include "ui/shell/frm_about.h"
#include "ui/shell/frm_help_type.h"
#include "ui/shell/frm_tray.h"
#include "ui/typing/frm_type.h"
#include "ui/typing/frm_words.h"
#include "ui/typing/shell_hooks.h"

namespace lekhora {
namespace {

template <class Step>
void RunStep(Step&& step) {
  try {
    step();
  } catch (const std::exception&) {
    // An exit step that fails must not keep the others from running.
  }
}

// The typing window reaches the tray and the help window only through these.
void FillShellHooks() {
  ShellHooks& shell = Shell();
  shell.LoadTray = [] { TrayWindow(); };
  shell.PopupLayoutMenu = [] { TrayWindow().PopupLayoutMenu(); };
  shell.PopupMainMenu = [] { TrayWindow().PopupMainMenu(); };
  shell.ChooseLayout = [](const QString& name) { TrayWindow().ChooseLayout(name); };
  shell.ShowLayoutChosen = [](const QString& name) {
    FrmTray* tray = TrayWindowSlot().Find();
    if (tray != nullptr) tray->ShowLayoutChosen(name);
    return tray != nullptr;
  };
  shell.HideTypingWindows = [] { TrayWindow().HideTypingWindows(); };
  shell.ShowHelpType = [](QWidget* owner) {
    if (ChromeWindows().ShowHelpType) ChromeWindows().ShowHelpType(owner);
  };
}

}  // namespace

WindowSlot<FrmType>& TypeWindowSlot() {
  static WindowSlot<FrmType> slot;
  static const bool shellFilled = (FillShellHooks(), true);
  (void)shellFilled;
  return slot;
}

FrmType& TypeWindow() {
  return TypeWindowSlot().Get();
}

WindowSlot<FrmTray>& TrayWindowSlot() {
  static WindowSlot<FrmTray> slot;
  return slot;
}

FrmTray& TrayWindow() {
  return TrayWindowSlot().Get();
}

ChromeWindowHooks DefaultChromeWindows() {
  return ChromeWindowHooks{
      .ShowAbout = [] { ShowAboutWindow(); },
      .UnloadAbout = [] { UnloadAboutWindow(); },
      .ShowHelpType = [](QWidget* owner) { ShowHelpWindow(owner); },
      .UnloadHelpType = [] { UnloadHelpWindow(); },
  };
}

ChromeWindowHooks& ChromeWindows() {
  static ChromeWindowHooks hooks = DefaultChromeWindows();
  return hooks;
}

void RunExitSequence() {
  RunStep([] { TypeWindowSlot().Unload(); });
  RunStep([] {
    if (ChromeWindows().UnloadAbout) ChromeWindows().UnloadAbout();
  });
  RunStep([] {
    if (ChromeWindows().UnloadHelpType) ChromeWindows().UnloadHelpType();
  });
  RunStep([] { WordsWindowSlot().Unload(); });
  RunStep([] { TrayWindowSlot().Unload(); });
  QuitWhenNoWindowLoaded();
}

}  // namespace lekhora
