#pragma once
// The small title-bar pictures of the frameless windows, drawn in code so
// that they stay crisp at any pixel density, and the widget that shows one.

#include <QCursor>
#include <QLabel>

#include <QPixmap>
#include "ui/kit/click_label.h"

class QPainter;

namespace lekhora {

// The painters in chrome_images.cpp follow this order.
enum class ChromeImage { Move, Font, Help, Minimise, Close, SizeGrip };

/// Every chrome image is 13 by 12 logical pixels.
inline constexpr QSize kChromeImageSize{13, 12};

/// Draws the image into the 13 x 12 logical pixels starting at the painter's origin.
void PaintChromeImage(QPainter& painter, ChromeImage image);

/// The image rendered at the given device pixel ratio.
QPixmap ChromePixmap(ChromeImage image, qreal devicePixelRatio);

/// The mouse cursor shown over the image (the arrow where none is named).
QCursor ChromeCursor(ChromeImage image);

/// An image control: paints its picture; presses, releases and clicks are
/// the label button's, as for the other images of the windows.
class ChromeImageWidget : public ClickLabel {
  Q_OBJECT

 public:
  explicit ChromeImageWidget(ChromeImage image, QWidget* parent = nullptr);

  ChromeImage Image() const { return image_; }
  QSize sizeHint() const override { return kChromeImageSize; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ChromeImage image_;
};

}  // namespace lekhora
