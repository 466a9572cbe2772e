#pragma once
// The program's windows: each exists once, is created the first time it is
// used, and is destroyed ("unloaded") on demand. The program ends when no
// window is loaded any more.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <utility>

namespace lekhora {

class FrmType;
class FrmWords;
class FrmTray;

/// One window of the program: created on first use, unloaded on demand.
class WindowSlotBase {
 public:
  WindowSlotBase();
  virtual ~WindowSlotBase();
  WindowSlotBase(const WindowSlotBase&) = delete;
  WindowSlotBase& operator=(const WindowSlotBase&) = delete;

  virtual bool IsLoaded() const = 0;
  virtual void Unload() = 0;
};

template <class Window>
class WindowSlot final : public WindowSlotBase {
 public:
  /// The window, created with args when it is not loaded.
  template <class... Args>
  Window& Get(Args&&... args) {
    if (window_.isNull()) window_ = new Window(std::forward<Args>(args)...);
    return *window_;
  }
  /// The window when it is loaded, else nullptr; never creates it.
  Window* Find() const { return window_.data(); }
  bool IsLoaded() const override { return !window_.isNull(); }
  /// Destroys the window; nothing when it was never loaded. A window owned
  /// by another goes when its owner goes; the slot then finds it unloaded.
  void Unload() override {
    Window* window = window_.data();
    window_.clear();
    delete window;
  }

 private:
  QPointer<Window> window_;
};

/// True while any window of the program is loaded.
bool AnyWindowLoaded();
/// Ends the event loop once no window is loaded any more.
void QuitWhenNoWindowLoaded();
/// Unloads every window that is still loaded (before the application goes).
void UnloadAllWindows();

/// The typing window; its creation runs the whole load sequence.
FrmType& TypeWindow();
WindowSlot<FrmType>& TypeWindowSlot();
/// The suggestion popup, owned by the typing window.
WindowSlot<FrmWords>& WordsWindowSlot();
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
