#include "ui/kit/chrome_images.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cstddef>
#include <iterator>

namespace lekhora {
namespace {

const QColor kInk(16, 42, 92);
const QColor kTile(228, 238, 252);
const QColor kTileEdge(40, 80, 150);

// Lines sit on pixel centres so that they stay sharp at a ratio of 1.
QPen InkPen(qreal width = 1) {
  QPen pen(kInk, width);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

void Tile(QPainter& p) {
  p.setPen(QPen(kTileEdge, 1));
  p.setBrush(kTile);
  p.drawRoundedRect(QRectF(0.5, 0.5, 12, 11), 2, 2);
}

void Triangle(QPainter& p, QPointF a, QPointF b, QPointF c) {
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF({a, b, c}));
}

void PaintMove(QPainter& p) {
  Tile(p);
  p.setPen(InkPen());
  p.drawLine(QPointF(3, 6), QPointF(10, 6));
  p.drawLine(QPointF(6.5, 3), QPointF(6.5, 9));
  Triangle(p, {6.5, 1.5}, {4.5, 3.5}, {8.5, 3.5});
  Triangle(p, {6.5, 10.5}, {4.5, 8.5}, {8.5, 8.5});
  Triangle(p, {1.5, 6}, {3.5, 4}, {3.5, 8});
  Triangle(p, {11.5, 6}, {9.5, 4}, {9.5, 8});
}

void PaintFont(QPainter& p) {
  Tile(p);
  p.setPen(InkPen());
  p.drawLine(QPointF(2, 10), QPointF(4.5, 2));
  p.drawLine(QPointF(4.5, 2), QPointF(7, 10));
  p.drawLine(QPointF(3, 7.5), QPointF(6, 7.5));
  // Left button up, any other down.
  Triangle(p, {10, 1.5}, {8, 4.5}, {12, 4.5});
  Triangle(p, {10, 10.5}, {8, 7.5}, {12, 7.5});
}

void PaintHelp(QPainter& p) {
  Tile(p);
  QPainterPath hook;
  hook.moveTo(4, 4.5);
  hook.cubicTo(4, 1.5, 9, 1.5, 9, 4.5);
  hook.cubicTo(9, 6, 6.5, 6, 6.5, 7.5);
  p.setPen(InkPen(1.5));
  p.setBrush(Qt::NoBrush);
  p.drawPath(hook);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawRect(QRectF(5.75, 8.5, 1.5, 1.5));
}

void PaintMinimise(QPainter& p) {
  Tile(p);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawRect(QRectF(3, 7, 7, 2));
}

void PaintClose(QPainter& p) {
  Tile(p);
  p.setPen(InkPen(1.5));
  p.drawLine(QPointF(3.5, 3), QPointF(9.5, 9));
  p.drawLine(QPointF(9.5, 3), QPointF(3.5, 9));
}

void PaintSizeGrip(QPainter& p) {
  // Three ridges in the bottom-right corner, as window grips have.
  p.setPen(InkPen());
  for (int i = 0; i < 3; ++i) {
    const qreal d = 3.5 + 3 * i;
    p.drawLine(QPointF(12.5 - d, 11.5), QPointF(12.5, 11.5 - d));
  }
}

}  // namespace

void PaintChromeImage(QPainter& painter, ChromeImage image) {
  // In the order of ChromeImage.
  static constexpr void (*kPainters[])(QPainter&) = {PaintMove,     PaintFont,  PaintHelp,
                                                     PaintMinimise, PaintClose, PaintSizeGrip};
  const auto index = static_cast<std::size_t>(image);
  if (index >= std::size(kPainters)) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  kPainters[index](painter);
  painter.restore();
}

QPixmap ChromePixmap(ChromeImage image, qreal devicePixelRatio) {
  const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1;
  QPixmap pixmap(kChromeImageSize * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  PaintChromeImage(painter, image);
  return pixmap;
}

QCursor ChromeCursor(ChromeImage image) {
  switch (image) {
    case ChromeImage::Move:
      return QCursor(Qt::SizeAllCursor);
    case ChromeImage::Help:
      return QCursor(Qt::WhatsThisCursor);
    case ChromeImage::SizeGrip:
      return QCursor(Qt::SizeFDiagCursor);
    default:
      return QCursor(Qt::ArrowCursor);
  }
}

ChromeImageWidget::ChromeImageWidget(ChromeImage image, QWidget* parent)
    : ClickLabel(parent), image_(image) {
  setFixedSize(kChromeImageSize);
  setCursor(ChromeCursor(image));
  setAttribute(Qt::WA_NoMousePropagation);
}

void ChromeImageWidget::paintEvent(QPaintEvent*) {
  // The painter works in logical pixels; Qt scales it to the screen, so
  // the picture is drawn afresh at the device's own resolution.
  QPainter painter(this);
  PaintChromeImage(painter, image_);
}

}  // namespace lekhora
