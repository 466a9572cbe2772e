#pragma once
// Small pieces the windows build their controls from.

#include <QColor>
#include <QLabel>
#include <QSize>
#include <QString>
#include <span>
#include <string>

#include "ui/geometry/design_geometry.h"
#include "ui/geometry/geometry.h"
#include "ui/kit/chrome_images.h"
#include "ui/kit/look.h"

class QPlainTextEdit;

namespace lekhora {

/// A plain-text label (captions are never markup).
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption);

/// Places a control at a geometry given in twips.
void Place(QWidget& widget, const Rect& twips);

/// Places a control at its design geometry from the window's design table.
void PlaceDesign(QWidget& widget, std::span<const ControlGeometry> design);

/// A chrome image with its tooltip (also its accessible name) at its design place.
ChromeImageWidget* MakeChromeImage(QWidget* parent, const char* name, ChromeImage image,
                                   const QString& tip, std::span<const ControlGeometry> design);

/// A window of its own (the About and help windows): one colour, one text
/// pane at the top left that it deletes itself with when closed.
struct TextWindowLook {
  const char* name;
  QString title;
  QColor back;
  QSize twips;
  const char* paneName;
  QString paneLabel;  // what a screen reader calls the pane
  QSize paneTwips;
};

/// Dresses window as look says and returns its text pane, in the text
/// boxes' colour.
QPlainTextEdit* DressTextWindow(QWidget& window, const TextWindowLook& look);

}  // namespace lekhora
