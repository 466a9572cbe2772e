#pragma once
// Moving, sizing, shaping and stacking of the frameless windows.

#include <QObject>
#include <QPoint>
#include <QRegion>
#include <functional>

#include "ui/geometry/geometry.h"

class QWidget;

namespace lekhora {

/// Hands window to the platform's move loop, as a press on a title bar
/// would; false where the platform has none (then the caller moves it).
bool DragMoveWindow(QWidget* window);

/// Makes area a handle of window: while the left button is held after a
/// press on area, the window follows the cursor. Moving over area with no
/// button down moves nothing. Returns the filter, owned by window.
QObject* EnableDragMove(QWidget* window, QWidget* area);

/// Makes window (and its controls) give the keyboard back to the box that
/// box() names, whenever that box is there: a click on window leaves the box
/// with the keyboard focus, and keys that reach window all the same go on to
/// the box. What the click does besides is left to window's controls.
/// Returns the filter, owned by window.
QObject* GiveKeysTo(QWidget* window, std::function<QWidget*()> box);

/// Resizes window by the grip's travel (pixels), keeping its position; an
/// impossible size or an overflow leaves the window as it is.
void ResizeFormByDrag(QWidget* window, PixelPoint start, PixelPoint end, int edge);

/// A size grip: remembers where the button went down and up, then resizes
/// its window once, on the release.
class SizeGrip : public QObject {
  Q_OBJECT

 public:
  /// Watches grip's mouse buttons for window; owned by window.
  SizeGrip(QWidget* window, QWidget* grip);

  PixelPoint SizeGripStart() const { return start_; }
  PixelPoint SizeGripEnd() const { return end_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  PixelPoint start_;
  PixelPoint end_;
};

/// Shows window modeless in front of the others, with the focus.
void ShowInFront(QWidget& window);

/// Keeps window above all others (or not), at its own position and size,
/// and activates it.
void SetFormTopmost(QWidget* window, bool topmost);

/// Moves window, frame and all, as little as needed to lie wholly on the
/// free area of the screen it stands on (or mostly on).
void KeepOnScreen(QWidget& window);

/// From now on every window of the program that opens, and wherever the
/// window manager then puts it, is kept wholly on its screen. Menus and
/// tooltips place themselves.
void KeepWindowsOnScreen();

/// The region of a rounded shape, without antialiasing.
QRegion ShapeRegion(const RoundedShape& shape);
/// Cuts window to the shape, replacing any earlier one.
void ApplyWindowShape(QWidget* window, const RoundedShape& shape);

}  // namespace lekhora
