#pragma once
// The suggestion popup frmWords: the current suggestion and its neighbours.
// It never takes the keyboard focus from the typing box.

#include <QWidget>
#include <string>

class QLabel;

namespace lekhora {

class ChromeImageWidget;

class FrmWords final : public QWidget {
  Q_OBJECT

 public:
  /// Shown above owner and going with it; without owner it stands alone.
  explicit FrmWords(QWidget* owner = nullptr);

  void SetMainCaption(const std::u16string& caption);
  void SetTipText(const std::u16string& text);

  QLabel* lblMain() const { return lblMain_; }
  QLabel* lblTip() const { return lblTip_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildControls();
  void LayoutControls();

  QLabel* lblTip_ = nullptr;
  QLabel* lblMain_ = nullptr;
  ChromeImageWidget* imgClose_ = nullptr;
  ChromeImageWidget* imgMove_ = nullptr;
  ChromeImageWidget* imgSize_ = nullptr;
};

}  // namespace lekhora
