#include "ui/kit/window_helpers.h"

#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace lekhora {
namespace {

PixelPoint ToPixelPoint(QPointF global) {
  const QPoint p = global.toPoint();
  return {p.x(), p.y()};
}

// Wayland lets no program place its own windows.
bool OnlyTheSystemMoves() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

class DragMover : public QObject {
 public:
  explicit DragMover(QWidget* window) : QObject(window), window_(window) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() != Qt::LeftButton) return false;
        // Where the program may place its windows itself, it follows the
        // cursor by hand: the button's release, which it receives however
        // soon it comes, ends the move. The platform's move loop, handed
        // the window at the press, misses a release that comes before the
        // window manager has taken the pointer (a click well under a
        // millisecond long), and the window then follows the cursor until
        // the next click. Elsewhere the loop is the only way; it is handed
        // the window once the cursor moves with the button held.
        pressed_ = true;
        following_ = !OnlyTheSystemMoves();
        pressAt_ = e->globalPosition().toPoint();
        windowAt_ = window_->pos();
        return true;
      }
      case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (!pressed_ || !(e->buttons() & Qt::LeftButton)) return false;
        if (!following_) {
          pressed_ = false;
          if (DragMoveWindow(window_)) return true;
          // No move loop after all: follow by hand.
          pressed_ = following_ = true;
        }
        window_->move(windowAt_ + (e->globalPosition().toPoint() - pressAt_));
        return true;
      }
      case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() != Qt::LeftButton) return false;
        pressed_ = following_ = false;
        return true;
      }
      default:
        return false;
    }
  }

 private:
  QWidget* window_;
  bool pressed_ = false;    // the left button is down on the handle
  bool following_ = false;  // moved by hand while it stays down
  QPoint pressAt_;
  QPoint windowAt_;
};

// Sends the keys that reach a window on to the typing box, and gives the box
// the keyboard again after a click.
class KeyForwarder : public QObject {
 public:
  KeyForwarder(QWidget* window, std::function<QWidget*()> box)
      : QObject(window), box_(std::move(box)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease: {
        QWidget* box = Box();
        if (box == nullptr) return false;
        ReturnFocus(*box);
        // A copy, as the event goes to another receiver than the one it was
        // posted to.
        auto* e = static_cast<QKeyEvent*>(event);
        QKeyEvent copy(e->type(), e->key(), e->modifiers(), e->nativeScanCode(),
                       e->nativeVirtualKey(), e->nativeModifiers(), e->text(), e->isAutoRepeat(),
                       static_cast<quint16>(e->count()));
        QCoreApplication::sendEvent(box, &copy);
        return true;
      }
      case QEvent::MouseButtonRelease:
      case QEvent::WindowActivate:
        if (QWidget* box = Box()) {
          // After the click's own handlers have run.
          QTimer::singleShot(0, box, [b = QPointer<QWidget>(box)] {
            if (b) ReturnFocus(*b);
          });
        }
        return false;
      default:
        return false;
    }
  }

 private:
  QWidget* Box() const {
    QWidget* box = box_();
    return box != nullptr && box->isVisible() ? box : nullptr;
  }
  static void ReturnFocus(QWidget& box) {
    QWidget* window = box.window();
    if (window->isMinimized()) return;
    if (!window->isActiveWindow()) window->activateWindow();
    box.setFocus(Qt::OtherFocusReason);
  }

  std::function<QWidget*()> box_;
};

// How long after a window opens the window manager may still be placing it.
constexpr int kPlacingMilliseconds = 1500;

PixelRect ToPixelRect(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

// The program's windows and its dialogs; not menus and tooltips, which place
// themselves, nor the tray icon's window, which lives inside the tray.
bool KeptOnScreen(const QWidget& widget) {
  if (!widget.isWindow()) return false;
  if (qobject_cast<const QDialog*>(&widget) != nullptr) return true;
  return widget.objectName().startsWith(QLatin1String("frm"));
}

// Watches the program's windows as they open: the window manager places a
// window after the program has shown it, so each move in the first moments
// after it opens is checked as well.
class ScreenKeeper : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Move) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || !KeptOnScreen(*widget)) return false;
    if (type == QEvent::Show) {
      widget->setProperty(kPlacing, true);
      QTimer::singleShot(kPlacingMilliseconds, widget, [w = QPointer<QWidget>(widget)] {
        if (w) {
          KeepOnScreen(*w);
          w->setProperty(kPlacing, false);
        }
      });
    } else if (!widget->property(kPlacing).toBool()) {
      return false;
    }
    KeepOnScreen(*widget);
    return false;
  }

 private:
  static constexpr const char* kPlacing = "lekhoraPlacing";
};

}  // namespace

void KeepOnScreen(QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QScreen* screen = QGuiApplication::screenAt(frame.center());
  if (screen == nullptr) screen = window.screen();
  if (screen == nullptr) return;
  const PixelRect kept = KeepInside(ToPixelRect(frame), ToPixelRect(screen->availableGeometry()));
  if (kept.X == frame.x() && kept.Y == frame.y()) return;
  // move() places the frame's top left corner.
  window.move(kept.X, kept.Y);
}

void KeepWindowsOnScreen() {
  static QPointer<ScreenKeeper> keeper;
  if (keeper || QCoreApplication::instance() == nullptr) return;
  keeper = new ScreenKeeper;
  keeper->setParent(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(keeper);
}

QObject* GiveKeysTo(QWidget* window, std::function<QWidget*()> box) {
  auto* forwarder = new KeyForwarder(window, std::move(box));
  window->installEventFilter(forwarder);
  for (QWidget* child : window->findChildren<QWidget*>()) child->installEventFilter(forwarder);
  return forwarder;
}

bool DragMoveWindow(QWidget* window) {
  if (!window) return false;
  QWindow* handle = window->windowHandle();
  return handle && handle->startSystemMove();
}

QObject* EnableDragMove(QWidget* window, QWidget* area) {
  auto* mover = new DragMover(window);
  area->installEventFilter(mover);
  return mover;
}

void ResizeFormByDrag(QWidget* window, PixelPoint start, PixelPoint end, int edge) {
  if (!window) return;
  // Qt's logical pixels are the design's 96-dpi pixels, so one of them is
  // always 15 twips, whatever the screen's density.
  const Size now{window->width() * kTwipsPerPixel, window->height() * kTwipsPerPixel};
  const auto next = ResizeFormByDrag(now, start, end, edge);
  if (!next) return;
  const Size px = TwipsToPixels(*next);
  window->resize(px.Width, px.Height);
}

SizeGrip::SizeGrip(QWidget* window, QWidget* grip) : QObject(window), window_(window) {
  grip->installEventFilter(this);
}

bool SizeGrip::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    start_ = ToPixelPoint(static_cast<QMouseEvent*>(event)->globalPosition());
    return true;
  }
  if (event->type() == QEvent::MouseButtonRelease) {
    end_ = ToPixelPoint(static_cast<QMouseEvent*>(event)->globalPosition());
    ResizeFormByDrag(window_, start_, end_, kBottomRightEdge);
    return true;
  }
  return false;
}

void ShowInFront(QWidget& window) {
  window.show();
  window.raise();
  window.activateWindow();
}

void SetFormTopmost(QWidget* window, bool topmost) {
  if (!window) return;
  const QRect geometry = window->geometry();
  const bool shown = window->isVisible();
  // Changing a window flag hides the window; put it back where it was.
  window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
  window->setGeometry(geometry);
  if (shown) {
    window->show();
    window->raise();
    window->activateWindow();
  }
}

QRegion ShapeRegion(const RoundedShape& shape) {
  QRegion region;
  for (const PixelRect& r : ShapeRects(shape)) region += QRect(r.X, r.Y, r.Width, r.Height);
  return region;
}

void ApplyWindowShape(QWidget* window, const RoundedShape& shape) {
  if (window) window->setMask(ShapeRegion(shape));
}

}  // namespace lekhora
