#include "ui/kit/click_label.h"

#include <QMouseEvent>

namespace lekhora {

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  emit mousePressed(event->button());
  event->accept();
}

// Qt reports the second press of a double click as a double click, not as a
// press; the controls that act per release still see it as a press.
void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  secondOfDoubleClick_ = true;
  emit mousePressed(event->button());
  event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  const Qt::MouseButton button = event->button();
  const bool inside = rect().contains(event->position().toPoint());
  const bool click = button == Qt::LeftButton && inside && !secondOfDoubleClick_;
  secondOfDoubleClick_ = false;
  emit mouseReleased(button);
  if (click) emit clicked();
  event->accept();
}

}  // namespace lekhora
