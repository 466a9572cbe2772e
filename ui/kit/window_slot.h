#pragma once
// Each window exists once, is created the first time it is used, and is
// destroyed ("unloaded") on demand. The program ends when no window is loaded
// any more.

#include <QPointer>
#include <utility>

namespace lekhora {

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
  /// Forgets window, which has closed and deletes itself, so that the next
  /// Get creates a new one even before the deferred delete has run.
  void Forget(const Window* window) {
    if (window_.data() == window) window_.clear();
  }
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

}  // namespace lekhora
