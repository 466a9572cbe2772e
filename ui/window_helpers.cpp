#include "ui/window_helpers.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace lekhora {
namespace {

PixelPoint ToPixelPoint(QPointF global) {
  const QPoint p = global.toPoint();
  return {p.x(), p.y()};
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
        // Without a move loop of the platform, follow the cursor by hand.
        following_ = !DragMoveWindow(window_);
        pressAt_ = e->globalPosition().toPoint();
        windowAt_ = window_->pos();
        return true;
      }
      case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (!following_ || !(e->buttons() & Qt::LeftButton)) return false;
        window_->move(windowAt_ + (e->globalPosition().toPoint() - pressAt_));
        return true;
      }
      case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() != Qt::LeftButton) return false;
        following_ = false;
        return true;
      }
      default:
        return false;
    }
  }

 private:
  QWidget* window_;
  bool following_ = false;
  QPoint pressAt_;
  QPoint windowAt_;
};

}  // namespace

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
