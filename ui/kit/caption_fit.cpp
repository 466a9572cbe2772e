#include "ui/kit/caption_fit.h"

#include <QFontMetrics>
#include <QLabel>

namespace lekhora {
namespace {

constexpr double kSmallestPoints = 6;
constexpr double kStep = 0.25;

}  // namespace

void FitCaption(QLabel* label) {
  if (!label) return;
  QFont font = label->font();
  if (font.pointSizeF() <= 0) return;
  const QString text = label->text();
  const int room = label->width() - label->contentsMargins().left() -
                   label->contentsMargins().right() - 2 * label->margin();
  while (font.pointSizeF() - kStep >= kSmallestPoints &&
         QFontMetrics(font).horizontalAdvance(text) > room)
    font.setPointSizeF(font.pointSizeF() - kStep);
  label->setFont(font);
  const int line = QFontMetrics(font).height();
  if (label->height() < line) label->resize(label->width(), line);
}

}  // namespace lekhora
