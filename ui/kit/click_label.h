#pragma once
// A label or small picture that acts as a button: the chrome and toolbar
// images and the layout labels.

#include <QLabel>

namespace lekhora {

class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickLabel(QWidget* parent = nullptr) : QLabel(parent) {}

 signals:
  /// A button went down over the image.
  void mousePressed(Qt::MouseButton button);
  /// A button came up after going down over the image.
  void mouseReleased(Qt::MouseButton button);
  /// The left button went down and came up over the image; once for a
  /// double click, whose second release is no click of its own.
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool secondOfDoubleClick_ = false;
};

}  // namespace lekhora
