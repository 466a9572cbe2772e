#pragma once
// What the typing window asks of the shell around it: the tray with its
// menus, and the help window. The shell fills these in before the typing
// window is first made; until then each does nothing.

#include <QString>
#include <functional>
#include <utility>

class QWidget;

namespace lekhora {

struct ShellHooks {
  /// Loads the tray (its icon and menus), as the typing window's load does.
  std::function<void()> LoadTray;
  std::function<void()> PopupLayoutMenu;
  /// The tray's menu, for a desktop without a tray where the title band is
  /// its handle.
  std::function<void()> PopupMainMenu;
  /// Chooses a layout exactly as the Layout menu does.
  std::function<void(const QString& name)> ChooseLayout;
  /// Marks layout as chosen in the menu and the window's captions; false
  /// when there is no tray to mark it in.
  std::function<bool(const QString& name)> ShowLayoutChosen;
  std::function<void()> HideTypingWindows;
  std::function<void(QWidget* owner)> ShowHelpType;
};

ShellHooks& Shell();

/// Calls hook when the shell has filled it in.
template <class... Params, class... Args>
void CallShell(const std::function<void(Params...)>& hook, Args&&... args) {
  if (hook) hook(std::forward<Args>(args)...);
}

}  // namespace lekhora
