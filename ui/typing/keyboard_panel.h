#pragma once
// The on-screen keyboard: 47 key caps, each with the Latin characters of its
// key and what the current layout types for them, and the two layout lists.

#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QWidget>
#include <array>

#include "ui/kit/click_label.h"

namespace lekhora {

/// A drop-down list narrower than its names: the closed list shows as much
/// of the current name as fits, ending in an ellipsis where it is cut, with
/// the whole name in its tooltip; the open list is as wide as its longest name.
class NameList final : public QComboBox {
 public:
  explicit NameList(QWidget* parent);

  /// The caption as the closed list paints it.
  QString ShownCaption() const;
  void showPopup() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect CaptionRect() const;
};

/// One key label (lblE or lblU): shows the pressed look while a button is
/// down on it and reports a left click.
class KeyLabel : public ClickLabel {
  Q_OBJECT

 public:
  KeyLabel(int code, bool output, QWidget* parent);

  int Code() const { return code_; }
  bool IsOutput() const { return output_; }
  /// The colours for the normal and the pressed look, and the text colour.
  void SetKeyColors(const QColor& back, const QColor& pressed, const QColor& fore);
  void SetBackground(const QColor& color);
  QColor Background() const;

 private:
  int code_;
  bool output_;
  QColor back_;
  QColor pressed_;
};

class KeyboardPanel : public QWidget {
  Q_OBJECT

 public:
  explicit KeyboardPanel(QWidget* parent = nullptr);

  /// The colour variables; the labels take them at InitialiseKeyLabels.
  void SetKeyColors(const QColor& back, const QColor& pressed, const QColor& fore);
  QColor KeyBackColor() const { return keyBack_; }
  QColor KeyPressedColor() const { return keyPressed_; }
  QColor KeyForeColor() const { return keyFore_; }

  /// For codes 1 to 127, where labels exist: the Latin captions, the
  /// colours and centred text.
  void InitialiseKeyLabels();

  /// Caption of the output label of code; codes without a label are ignored.
  void SetCaption(int code, const QString& caption);
  QString Caption(int code) const;

  /// lblE(code) and lblU(code), or nullptr where there is none.
  KeyLabel* LatinLabel(int code) const;
  KeyLabel* OutputLabel(int code) const;

  QComboBox* OutputScriptList() const { return comTo_; }
  QComboBox* LayoutList() const { return comMap_; }
  /// Shows name as comMap's current item without reporting a choice.
  void ShowLayout(const QString& name);

 signals:
  /// A key label was clicked; caption is what it shows.
  void captionClicked(const QString& caption);
  /// An item of comTo was chosen (also when it was already current).
  void outputScriptChosen(const QString& item);
  /// A layout name of comMap was chosen.
  void layoutChosen(const QString& name);

 private:
  void UpdateAccessibleName(int code);

  QColor keyBack_{76, 147, 233};
  QColor keyPressed_{255, 255, 255};
  QColor keyFore_{0, 0, 0};
  std::array<KeyLabel*, 128> latin_{};
  std::array<KeyLabel*, 128> output_{};
  NameList* comTo_ = nullptr;
  NameList* comMap_ = nullptr;
};

}  // namespace lekhora
