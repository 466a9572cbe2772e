#include "ui/kit/control_helpers.h"

#include <QPlainTextEdit>

namespace lekhora {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

void Place(QWidget& widget, const Rect& twips) {
  const Rect px = TwipsToPixels(twips);
  widget.setGeometry(px.Left, px.Top, px.Width, px.Height);
}

void PlaceDesign(QWidget& widget, std::span<const ControlGeometry> design) {
  if (const auto rect = FindDesign(design, widget.objectName().toStdString())) Place(widget, *rect);
}

ChromeImageWidget* MakeChromeImage(QWidget* parent, const char* name, ChromeImage image,
                                   const QString& tip, std::span<const ControlGeometry> design) {
  auto* widget = new ChromeImageWidget(image, parent);
  widget->setObjectName(QString::fromLatin1(name));
  widget->setToolTip(tip);
  widget->setAccessibleName(tip);
  PlaceDesign(*widget, design);
  return widget;
}

QPlainTextEdit* DressTextWindow(QWidget& window, const TextWindowLook& look) {
  window.setObjectName(QString::fromLatin1(look.name));
  window.setWindowTitle(look.title);
  window.setAttribute(Qt::WA_DeleteOnClose);
  window.setAutoFillBackground(true);
  SetColour(window, QPalette::Window, look.back);
  window.resize(TwipsToPixels(look.twips.width()), TwipsToPixels(look.twips.height()));

  auto* pane = new QPlainTextEdit(&window);
  pane->setObjectName(QString::fromLatin1(look.paneName));
  pane->setAccessibleName(look.paneLabel);
  pane->setGeometry(0, 0, TwipsToPixels(look.paneTwips.width()),
                    TwipsToPixels(look.paneTwips.height()));
  SetColour(*pane, QPalette::Base, kBoxBack);
  return pane;
}

}  // namespace lekhora
