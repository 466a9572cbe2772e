#include "ui/click_label.h"

#include <QMouseEvent>

namespace lekhora {

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  emit mousePressed(event->button());
  event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  const Qt::MouseButton button = event->button();
  const bool inside = rect().contains(event->position().toPoint());
  emit mouseReleased(button);
  if (button == Qt::LeftButton && inside) emit clicked();
  event->accept();
}

}  // namespace lekhora
