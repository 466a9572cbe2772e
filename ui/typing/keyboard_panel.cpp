#include "ui/typing/keyboard_panel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QMouseEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>

#include "engine/layout_choice.h"
#include "ui/geometry/design_geometry.h"
#include "ui/geometry/keyboard_caps.h"
#include "ui/kit/look.h"

namespace lekhora {
namespace {

QRect ToQRect(const Rect& twips) {
  const Rect px = TwipsToPixels(twips);
  return {px.Left, px.Top, px.Width, px.Height};
}

// Room beside an item's text in the open list: its margins and frame.
constexpr int kItemMargins = 16;

// A small font, so that more of a name fits the list's design width.
void StyleList(QComboBox* list) {
  QFont font = list->font();
  font.setPointSizeF(8);
  list->setFont(font);
  // The closed list is narrow; its tooltip names the whole item.
  QObject::connect(list, &QComboBox::currentTextChanged, list, &QWidget::setToolTip);
  list->setToolTip(list->currentText());
}

bool HasLabel(int code) {
  return code >= kFirstLabelCode && code <= kLastLabelCode;
}

}  // namespace

NameList::NameList(QWidget* parent) : QComboBox(parent) {}

QRect NameList::CaptionRect() const {
  QStyleOptionComboBox option;
  initStyleOption(&option);
  return style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
}

QString NameList::ShownCaption() const {
  return fontMetrics().elidedText(currentText(), Qt::ElideRight, CaptionRect().width());
}

void NameList::paintEvent(QPaintEvent*) {
  // As the toolkit paints a closed list, with the caption cut visibly.
  QStylePainter painter(this);
  painter.setPen(palette().color(QPalette::Text));
  QStyleOptionComboBox option;
  initStyleOption(&option);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  option.currentText = ShownCaption();
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void NameList::showPopup() {
  // The open list stands free of the panel: there every name fits whole.
  const QFontMetrics metrics(view()->font());
  int widest = 0;
  for (int i = 0; i < count(); ++i)
    widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
  view()->setMinimumWidth(widest + kItemMargins + 2 * view()->frameWidth());
  QComboBox::showPopup();
}

KeyLabel::KeyLabel(int code, bool output, QWidget* parent)
    : ClickLabel(parent), code_(code), output_(output) {
  // Pressed, the key takes the pressed colour until the button comes up.
  connect(this, &ClickLabel::mousePressed, this, [this] { SetBackground(pressed_); });
  connect(this, &ClickLabel::mouseReleased, this, [this] { SetBackground(back_); });
  setObjectName(QStringLiteral("%1_%2").arg(output ? "lblU" : "lblE").arg(code));
  setTextFormat(Qt::PlainText);
  setAutoFillBackground(true);
  setFont(Arial(9.75));
}

void KeyLabel::SetKeyColors(const QColor& back, const QColor& pressed, const QColor& fore) {
  back_ = back;
  pressed_ = pressed;
  SetBackground(back);
  SetColour(*this, QPalette::WindowText, fore);
}

void KeyLabel::SetBackground(const QColor& color) {
  SetColour(*this, QPalette::Window, color);
}

QColor KeyLabel::Background() const {
  return palette().color(QPalette::Window);
}

KeyboardPanel::KeyboardPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picKB"));
  setAccessibleName(tr("On-screen keyboard"));
  setAutoFillBackground(true);
  SetColour(*this, QPalette::Window, kWindowBack);
  const Rect size{0, 0, kKeyboardPanelDesignSize.Width, kKeyboardPanelDesignSize.Height};
  resize(ToQRect(size).size());

  const QColor capColor = palette().color(QPalette::Base);
  int index = 0;
  for (const KeyCap& cap : KeyboardCaps()) {
    auto* picC = new QWidget(this);
    picC->setObjectName(QStringLiteral("picC_%1").arg(index++));
    picC->setGeometry(ToQRect(cap.Geometry));
    picC->setAutoFillBackground(true);
    SetColour(*picC, QPalette::Window, capColor);
    // A cap is no part of the panel's background: pressing it moves nothing.
    picC->setAttribute(Qt::WA_NoMousePropagation);
    picC->setAccessibleName(tr("Key %1").arg(QChar(cap.Unshifted)));
    for (bool shifted : {true, false}) {
      const int code = shifted ? cap.Shifted : cap.Unshifted;
      auto* e = new KeyLabel(code, false, picC);
      auto* u = new KeyLabel(code, true, picC);
      e->setGeometry(ToQRect(LatinLabelPlace(shifted)));
      u->setGeometry(ToQRect(OutputLabelPlace(shifted)));
      latin_[code] = e;
      output_[code] = u;
      for (KeyLabel* label : {e, u})
        connect(label, &KeyLabel::clicked, this,
                [this, label] { emit captionClicked(label->text()); });
      UpdateAccessibleName(code);
    }
  }

  comTo_ = new NameList(this);
  comTo_->setObjectName(QStringLiteral("comTo"));
  comTo_->setAccessibleName(tr("Output script"));
  for (const OutputScript& script : OutputScripts()) comTo_->addItem(FromU16(script.name));
  comTo_->setCurrentIndex(-1);
  StyleList(comTo_);
  comTo_->setGeometry(ToQRect(FindDesign(KeyboardPanelDesign(), "comTo").value()));
  connect(comTo_, &QComboBox::textActivated, this, &KeyboardPanel::outputScriptChosen);

  comMap_ = new NameList(this);
  comMap_->setObjectName(QStringLiteral("comMap"));
  comMap_->setAccessibleName(tr("Keyboard layout"));
  for (std::u16string_view name : {kPhoneticVimraLayout, kPhoneticLayout, kRemingtonLayout,
                                   kInscriptLayout, kIntelligentRomanLayout})
    comMap_->addItem(FromU16(name));
  comMap_->setCurrentIndex(0);
  StyleList(comMap_);
  comMap_->setGeometry(ToQRect(FindDesign(KeyboardPanelDesign(), "comMap").value()));
  connect(comMap_, &QComboBox::textActivated, this, &KeyboardPanel::layoutChosen);
}

void KeyboardPanel::SetKeyColors(const QColor& back, const QColor& pressed, const QColor& fore) {
  keyBack_ = back;
  keyPressed_ = pressed;
  keyFore_ = fore;
}

void KeyboardPanel::InitialiseKeyLabels() {
  for (int code = 1; code <= 127; ++code) {
    if (!HasLabel(code)) continue;
    latin_[code]->setText(QString(QChar(code)));
    for (KeyLabel* label : {latin_[code], output_[code]}) {
      label->SetKeyColors(keyBack_, keyPressed_, keyFore_);
      label->setAlignment(Qt::AlignCenter);
    }
    UpdateAccessibleName(code);
  }
}

void KeyboardPanel::SetCaption(int code, const QString& caption) {
  if (!HasLabel(code)) return;
  output_[code]->setText(caption);
  UpdateAccessibleName(code);
}

QString KeyboardPanel::Caption(int code) const {
  return HasLabel(code) ? output_[code]->text() : QString();
}

KeyLabel* KeyboardPanel::LatinLabel(int code) const {
  return HasLabel(code) ? latin_[code] : nullptr;
}

KeyLabel* KeyboardPanel::OutputLabel(int code) const {
  return HasLabel(code) ? output_[code] : nullptr;
}

void KeyboardPanel::ShowLayout(const QString& name) {
  const int index = comMap_->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index >= 0) comMap_->setCurrentIndex(index);
}

void KeyboardPanel::UpdateAccessibleName(int code) {
  // A screen reader names the key and what clicking its label types.
  const QString key(QChar(static_cast<char16_t>(code)));
  latin_[code]->setAccessibleName(key);
  const QString typed = output_[code]->text();
  output_[code]->setAccessibleName(typed.isEmpty() ? tr("%1: nothing").arg(key)
                                                   : tr("%1: %2").arg(key, typed));
}

}  // namespace lekhora
