#include "ui/typing/type_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextDocument>

#include "ui/typing/key_mapping.h"
#include "ui/typing/key_sink.h"

namespace lekhora {

namespace {

// Qt breaks a line inside a word only after it has looked for a word
// boundary along the whole rest of the word, so a paragraph with a very
// long run without spaces (a pasted text without any) costs time in the
// square of that run on every key. Past this run the box breaks lines
// anywhere, which costs time in its length only.
constexpr int kLongestWrappedWord = 1000;

bool HasLongRunWithoutBreak(const QTextDocument& document) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.length() <= kLongestWrappedWord) continue;
    const QString text = block.text();
    int run = 0;
    for (QChar c : text) {
      run = c.isSpace() ? 0 : run + 1;
      if (run > kLongestWrappedWord) return true;
    }
  }
  return false;
}

}  // namespace

TypeBox::TypeBox(QWidget* parent) : QPlainTextEdit(parent) {
  // An input method would hand over composed text instead of keys.
  setAttribute(Qt::WA_InputMethodEnabled, false);
  connect(document(), &QTextDocument::contentsChanged, this, &TypeBox::ChooseWrapMode);
}

void TypeBox::ChooseWrapMode() {
  const QTextOption::WrapMode mode = HasLongRunWithoutBreak(*document())
                                         ? QTextOption::WrapAnywhere
                                         : QTextOption::WrapAtWordBoundaryOrAnywhere;
  if (wordWrapMode() != mode) setWordWrapMode(mode);
}

void TypeBox::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (sink_ != nullptr && sink_->Key(KeyPressed(VirtualKeyCode(event->key(), modifiers),
                                                static_cast<char16_t>(KeyAsciiCode(
                                                    event->key(), modifiers, event->text())),
                                                ShiftMask(modifiers)))) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TypeBox::keyReleaseEvent(QKeyEvent* event) {
  if (sink_ != nullptr && !event->isAutoRepeat() &&
      sink_->Key(KeyReleased(VirtualKeyCode(event->key(), event->modifiers()),
                             ShiftMask(event->modifiers())))) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyReleaseEvent(event);
}

void TypeBox::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  if (sink_ != nullptr) sink_->MouseUp();
}

}  // namespace lekhora
