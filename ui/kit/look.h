#pragma once
// What the windows share in looks and in text: the palette, the fonts, the
// passage between the core's UTF-16 strings and Qt's, and centring.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <string>
#include <string_view>

class QWidget;

namespace lekhora {

/// The windows' palette.
inline const QColor kWindowBack(185, 211, 247);  // windows, popup, keyboard
inline const QColor kTitleBack(76, 147, 233);    // title band, current suggestion
inline const QColor kBoxBack(228, 238, 252);     // text boxes, key caps, image tiles
inline const QColor kTipBack(255, 192, 128);     // the popup's word list
inline const QColor kAboutBack(141, 178, 227);

/// Arial (or the installed font metric-compatible with it) at points.
QFont Arial(double points, bool bold = false);
inline QFont ArialBold(double points) {
  return Arial(points, true);
}

QString FromU16(std::u16string_view text);
inline std::u16string ToU16(const QString& text) {
  return text.toStdU16String();
}

/// Sets one colour of the widget's palette.
void SetColour(QWidget& widget, QPalette::ColorRole role, const QColor& colour);
/// Fills the widget's background with the colour and writes on it in black.
void Colour(QWidget& widget, const QColor& background);

/// Moves the window to the centre of the primary screen's available area.
void CentreOnScreen(QWidget& window);

}  // namespace lekhora
