#pragma once
// A short message shown for a while beside a control, in the tooltip's look.
// A tooltip of the toolkit goes away as soon as any window is activated, and
// the focus coming back from a closing menu is just that; this one stays its
// time, until it is clicked or the next message replaces it.

#include <QLabel>

class QTimer;

namespace lekhora {

class StatusTip final : public QLabel {
  Q_OBJECT

 public:
  explicit StatusTip(QWidget* owner);

  /// Shows text with its top left corner at global (kept on that screen),
  /// for milliseconds.
  void ShowAt(const QPoint& global, const QString& text, int milliseconds);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QTimer* timer_;
};

}  // namespace lekhora
