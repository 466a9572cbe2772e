#pragma once
// The program's windows and the exit sequence that unloads them.

#include <QWidget>
#include <functional>

#include "ui/kit/window_slot.h"

namespace lekhora {

class FrmType;
class FrmWords;
class FrmTray;

/// The typing window; its creation runs the whole load sequence.
FrmType& TypeWindow();
WindowSlot<FrmType>& TypeWindowSlot();
/// The hidden tray window; loading it adds the tray icon.
FrmTray& TrayWindow();
WindowSlot<FrmTray>& TrayWindowSlot();

/// How the About and help windows of the window chrome are shown and
/// unloaded; the chrome's own functions unless replaced.
struct ChromeWindowHooks {
  std::function<void()> ShowAbout;
  std::function<void()> UnloadAbout;
  std::function<void(QWidget* owner)> ShowHelpType;
  std::function<void()> UnloadHelpType;
};
ChromeWindowHooks& ChromeWindows();
/// The chrome's own functions.
ChromeWindowHooks DefaultChromeWindows();

/// The tray menu's Exit: unloads the typing window, the About window, the
/// help window, the popup and the tray window, in that order, each step on
/// its own, then ends the program once nothing is loaded.
void RunExitSequence();

}  // namespace lekhora
