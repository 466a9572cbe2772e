#pragma once
// The small title-bar pictures of the frameless windows, drawn in code so
// that they stay crisp at any pixel density, and the widget that shows one.

#include <QCursor>
#include <QLabel>
#include <QPixmap>

class QPainter;

namespace lekhora {

enum class ChromeImage { Move, Font, Help, Minimise, Close, SizeGrip };

/// Every chrome image is 13 by 12 logical pixels.
inline constexpr QSize kChromeImageSize{13, 12};

/// Draws the image into the 13 x 12 logical pixels starting at the painter's origin.
void PaintChromeImage(QPainter& painter, ChromeImage image);

/// The image rendered at the given device pixel ratio.
QPixmap ChromePixmap(ChromeImage image, qreal devicePixelRatio);

/// The mouse cursor shown over the image (the arrow where none is named).
QCursor ChromeCursor(ChromeImage image);

/// An image control: paints its picture and reports presses and releases.
/// It is a label, as the other images of the windows are.
class ChromeImageWidget : public QLabel {
  Q_OBJECT

 public:
  explicit ChromeImageWidget(ChromeImage image, QWidget* parent = nullptr);

  ChromeImage Image() const { return image_; }
  QSize sizeHint() const override { return kChromeImageSize; }

 signals:
  void pressed(Qt::MouseButton button);
  /// Any button released, wherever the cursor then is.
  void released(Qt::MouseButton button);
  /// The left button pressed and released over the image.
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  ChromeImage image_;
};

}  // namespace lekhora
