#include "ui/type_box.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "ui/key_mapping.h"
#include "ui/key_sink.h"

namespace lekhora {

TypeBox::TypeBox(QWidget* parent) : QPlainTextEdit(parent) {
  // An input method would hand over composed text instead of keys.
  setAttribute(Qt::WA_InputMethodEnabled, false);
}

void TypeBox::keyPressEvent(QKeyEvent* event) {
  if (sink_ == nullptr) {
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  std::int16_t keyCode = VirtualKeyCode(event->key(), modifiers);
  if (keyCode != 0) {
    sink_->KeyDown(keyCode, ShiftMask(modifiers));
    if (keyCode == 0) {
      event->accept();
      return;
    }
  }
  const std::int16_t typed = KeyAsciiCode(event->key(), modifiers, event->text());
  if (typed != 0) {
    std::int16_t keyAscii = typed;
    sink_->KeyPress(keyAscii);
    if (keyAscii == 0) {
      event->accept();
      return;
    }
    if (keyAscii != typed && keyAscii > 32) {
      // The handler turned the key into another character: that one is typed.
      insertPlainText(QString(QChar(static_cast<char16_t>(keyAscii))));
      event->accept();
      return;
    }
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TypeBox::keyReleaseEvent(QKeyEvent* event) {
  if (sink_ == nullptr || event->isAutoRepeat()) {
    QPlainTextEdit::keyReleaseEvent(event);
    return;
  }
  std::int16_t keyCode = VirtualKeyCode(event->key(), event->modifiers());
  if (keyCode != 0) {
    sink_->KeyUp(keyCode, ShiftMask(event->modifiers()));
    if (keyCode == 0) {
      event->accept();
      return;
    }
  }
  QPlainTextEdit::keyReleaseEvent(event);
}

void TypeBox::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  if (sink_ != nullptr) sink_->MouseUp();
}

}  // namespace lekhora
