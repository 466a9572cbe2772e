#include "ui/kit/pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace lekhora {
namespace {

constexpr int kImageWidth = 13;
constexpr int kImageHeight = 12;
const QColor kInk(32, 64, 128);
const QColor kPaper(255, 255, 255);

void DrawSheet(QPainter& p, int x, int y, int w, int h) {
  p.setPen(kInk);
  p.setBrush(kPaper);
  p.drawRect(x, y, w, h);
  for (int line = y + 2; line < y + h - 1; line += 2) p.drawLine(x + 2, line, x + w - 2, line);
}

}  // namespace

QPixmap DrawPicture(Picture picture) {
  QPixmap pixmap(kImageWidth, kImageHeight);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(kInk, 1));
  switch (picture) {
    case Picture::Copy:
      DrawSheet(p, 0, 0, 7, 8);
      DrawSheet(p, 4, 3, 7, 8);
      break;
    case Picture::Paste:
      p.setBrush(QColor(190, 140, 70));
      p.drawRect(1, 1, 8, 10);
      p.setBrush(kInk);
      p.drawRect(3, 0, 4, 2);
      DrawSheet(p, 5, 4, 6, 7);
      break;
    case Picture::Select:
      p.setPen(QPen(kInk, 1, Qt::DotLine));
      p.drawRect(0, 0, 12, 11);
      p.setPen(kInk);
      p.drawLine(3, 4, 9, 4);
      p.drawLine(3, 7, 9, 7);
      break;
  }
  return pixmap;
}

QPixmap DrawProgramIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  QLinearGradient blue(0, 0, 0, 32);
  blue.setColorAt(0, QColor(120, 180, 250));
  blue.setColorAt(1, QColor(40, 90, 190));
  QPainterPath rounded;
  rounded.addRoundedRect(QRectF(0.5, 0.5, 31, 31), 6, 6);
  p.fillPath(rounded, blue);
  // The letter KA (U+0915), built from its code point: the pad's first key.
  QFont font;
  font.setPixelSize(22);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 0, 32, 30), Qt::AlignCenter, QString(QChar(char16_t{0x0915})));
  return pixmap;
}

QIcon ProgramIcon() {
  return QIcon(DrawProgramIcon());
}

}  // namespace lekhora
