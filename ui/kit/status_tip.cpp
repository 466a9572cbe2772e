#include "ui/kit/status_tip.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QToolTip>

#include "ui/geometry/geometry.h"

namespace lekhora {

StatusTip::StatusTip(QWidget* owner)
    : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint), timer_(new QTimer(this)) {
  setObjectName(QStringLiteral("statusTip"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setTextFormat(Qt::PlainText);
  setWordWrap(false);
  setPalette(QToolTip::palette());
  setFont(QToolTip::font());
  setAutoFillBackground(true);
  setFrameShape(QFrame::Box);
  setMargin(4);
  timer_->setSingleShot(true);
  connect(timer_, &QTimer::timeout, this, &QWidget::hide);
}

void StatusTip::ShowAt(const QPoint& global, const QString& text, int milliseconds) {
  setText(text);
  // The window's name is the message too, for tools that read windows (the
  // toolkit's own tooltips have none).
  setWindowTitle(text);
  adjustSize();
  QRect place(global, size());
  if (const QScreen* screen = QGuiApplication::screenAt(global)) {
    const QRect area = screen->availableGeometry();
    const PixelRect kept = KeepInside({place.x(), place.y(), place.width(), place.height()},
                                      {area.x(), area.y(), area.width(), area.height()});
    place.moveTo(kept.X, kept.Y);
  }
  move(place.topLeft());
  show();
  raise();
  timer_->start(milliseconds);
}

void StatusTip::mousePressEvent(QMouseEvent*) {
  hide();
}

}  // namespace lekhora
