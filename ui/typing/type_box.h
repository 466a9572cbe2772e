#pragma once
// The typing box txtType: a plain text edit whose keys go to the typing engine
// first, as they go down (with what they type) and come up.

#include <QPlainTextEdit>

namespace lekhora {

class KeySink;

class TypeBox final : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TypeBox(QWidget* parent = nullptr);

  /// Where keys and clicks are reported; nullptr makes it a plain text edit.
  void SetKeySink(KeySink* sink) { sink_ = sink; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  /// Word wrap, unless a paragraph holds a run too long to wrap at words.
  void ChooseWrapMode();

  KeySink* sink_ = nullptr;
};

}  // namespace lekhora
