#include "ui/kit/look.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace lekhora {

QFont Arial(double points, bool bold) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

QString FromU16(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

void SetColour(QWidget& widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(role, colour);
  widget.setPalette(palette);
}

void Colour(QWidget& widget, const QColor& background) {
  widget.setAutoFillBackground(true);
  SetColour(widget, QPalette::Window, background);
  SetColour(widget, QPalette::WindowText, Qt::black);
}

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect frame = window.geometry();
  frame.moveCenter(screen->availableGeometry().center());
  window.move(frame.topLeft());
}

}  // namespace lekhora
