// Moving, sizing, shaping and stacking windows, and the chrome images.

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

#include "ui/kit/caption_fit.h"
#include "ui/kit/chrome_images.h"
#include "ui/kit/window_helpers.h"

using namespace lekhora;

namespace {

void Send(QWidget* to, QEvent::Type type, QPoint global, Qt::MouseButton button,
          Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(to->mapFromGlobal(global)), QPointF(global), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(to, &event);
}

struct Window {
  QWidget window;
  QLabel* area = new QLabel(&window);
  Window() {
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setGeometry(100, 100, 551, 308);
    area->setGeometry(0, 0, 551, 19);
    window.show();
  }
};

}  // namespace

class WindowHelpersTest : public QObject {
  Q_OBJECT

 private slots:
  void theWindowFollowsTheCursorOnlyWhileTheLeftButtonIsHeld() {
    Window w;
    EnableDragMove(&w.window, w.area);
    const QPoint start = w.window.pos();
    // No button: nothing moves.
    Send(w.area, QEvent::MouseMove, {150, 105}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(w.window.pos(), start);
    // The right button does not drag either.
    Send(w.area, QEvent::MouseButtonPress, {150, 105}, Qt::RightButton, Qt::RightButton);
    Send(w.area, QEvent::MouseMove, {170, 125}, Qt::NoButton, Qt::RightButton);
    Send(w.area, QEvent::MouseButtonRelease, {170, 125}, Qt::RightButton, Qt::NoButton);
    QCOMPARE(w.window.pos(), start);

    Send(w.area, QEvent::MouseButtonPress, {150, 105}, Qt::LeftButton, Qt::LeftButton);
    Send(w.area, QEvent::MouseMove, {160, 115}, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(w.window.pos(), start + QPoint(10, 10));
    Send(w.area, QEvent::MouseMove, {250, 85}, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(w.window.pos(), start + QPoint(100, -20));
    Send(w.area, QEvent::MouseButtonRelease, {250, 85}, Qt::LeftButton, Qt::NoButton);
    // After the release the cursor goes its own way.
    Send(w.area, QEvent::MouseMove, {400, 400}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(w.window.pos(), start + QPoint(100, -20));
  }

  void theGripResizesOnceByItsTravelOnRelease() {
    Window w;
    auto* grip = new ChromeImageWidget(ChromeImage::SizeGrip, &w.window);
    SizeGrip sizeGrip(&w.window, grip);
    Send(grip, QEvent::MouseButtonPress, {640, 395}, Qt::LeftButton, Qt::LeftButton);
    Send(grip, QEvent::MouseMove, {700, 400}, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(w.window.size(), QSize(551, 308));
    Send(grip, QEvent::MouseButtonRelease, {660, 405}, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(sizeGrip.SizeGripStart().X, 640);
    QCOMPARE(sizeGrip.SizeGripEnd().Y, 405);
    QCOMPARE(w.window.size(), QSize(571, 318));
    QCOMPARE(w.window.pos(), QPoint(100, 100));
  }

  void anImpossibleSizeLeavesTheWindowAlone() {
    Window w;
    ResizeFormByDrag(&w.window, {1000, 0}, {0, 0}, kBottomRightEdge);
    QCOMPARE(w.window.size(), QSize(551, 308));
    ResizeFormByDrag(&w.window, {0, 0}, {20, 10}, 2);
    QCOMPARE(w.window.size(), QSize(551, 308));
    ResizeFormByDrag(nullptr, {0, 0}, {20, 10}, kBottomRightEdge);
  }

  void topmostKeepsThePlaceAndTheWindowShown() {
    Window w;
    const QRect before = w.window.geometry();
    SetFormTopmost(&w.window, true);
    QVERIFY(w.window.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(w.window.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(w.window.isVisible());
    QCOMPARE(w.window.geometry(), before);
    SetFormTopmost(&w.window, false);
    QVERIFY(!(w.window.windowFlags() & Qt::WindowStaysOnTopHint));
    QCOMPARE(w.window.geometry(), before);
  }

  void theShapeCutsTenPixelCornersAndIsReplacedAtEachSize() {
    Window w;
    ApplyWindowShape(&w.window, ShapeOfWindow({8265, 4620}));
    QRegion mask = w.window.mask();
    QCOMPARE(mask.boundingRect(), QRect(0, 0, 551, 308));
    for (QPoint p : {QPoint(0, 0), QPoint(550, 0), QPoint(0, 307), QPoint(550, 307)})
      QVERIFY(!mask.contains(p));
    for (QPoint p : {QPoint(10, 0), QPoint(0, 10), QPoint(540, 307), QPoint(275, 150)})
      QVERIFY(mask.contains(p));
    ApplyWindowShape(&w.window, ShapeOfWindow({8055, 3300}));
    mask = w.window.mask();
    QCOMPARE(mask.boundingRect(), QRect(0, 0, 537, 220));
    QVERIFY(!mask.contains(QPoint(536, 219)));
    QVERIFY(!mask.contains(QPoint(545, 100)));
  }

  void imagesAreDrawnAtTheScreensDensity() {
    QList<QImage> seen;
    for (ChromeImage image : {ChromeImage::Move, ChromeImage::Font, ChromeImage::Help,
                              ChromeImage::Minimise, ChromeImage::Close, ChromeImage::SizeGrip}) {
      const QPixmap one = ChromePixmap(image, 1);
      const QPixmap two = ChromePixmap(image, 2);
      QCOMPARE(one.size(), QSize(13, 12));
      QCOMPARE(two.size(), QSize(26, 24));
      QCOMPARE(two.deviceIndependentSize(), QSizeF(13, 12));
      const QImage picture = two.toImage();
      int inked = 0;
      for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) inked += qAlpha(picture.pixel(x, y)) > 0;
      QVERIFY(inked > 10);
      QVERIFY(!seen.contains(picture));
      seen << picture;
    }
    QCOMPARE(ChromeCursor(ChromeImage::Move).shape(), Qt::SizeAllCursor);
    QCOMPARE(ChromeCursor(ChromeImage::Help).shape(), Qt::WhatsThisCursor);
    QCOMPARE(ChromeCursor(ChromeImage::SizeGrip).shape(), Qt::SizeFDiagCursor);
    QCOMPARE(ChromeCursor(ChromeImage::Close).shape(), Qt::ArrowCursor);
  }

  void anImageReportsReleasesAndLeftClicks() {
    ChromeImageWidget image(ChromeImage::Font);
    QCOMPARE(image.size(), QSize(13, 12));
    QSignalSpy released(&image, &ClickLabel::mouseReleased);
    QSignalSpy clicked(&image, &ClickLabel::clicked);
    QTest::mouseClick(&image, Qt::LeftButton);
    QTest::mouseClick(&image, Qt::RightButton);
    QTest::mouseClick(&image, Qt::MiddleButton);
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(released.size(), 3);
    QCOMPARE(released.at(1).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(released.at(2).at(0).value<Qt::MouseButton>(), Qt::MiddleButton);
  }

  void captionsShrinkToTheirPlaceButNeverGrow() {
    QLabel wide(QStringLiteral("Enable Unicode Typing"));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(12);
    wide.setFont(font);
    wide.setGeometry(0, 0, 100, 5);
    FitCaption(&wide);
    QVERIFY(wide.font().pointSizeF() < 12);
    QVERIFY(QFontMetrics(wide.font()).horizontalAdvance(wide.text()) <= 100);
    QCOMPARE(wide.width(), 100);
    QCOMPARE(wide.height(), QFontMetrics(wide.font()).height());

    QLabel roomy(QStringLiteral("k"));
    roomy.setFont(font);
    roomy.setGeometry(0, 0, 200, 100);
    FitCaption(&roomy);
    QCOMPARE(roomy.font().pointSizeF(), 12.0);
    QCOMPARE(roomy.size(), QSize(200, 100));
  }
};

QTEST_MAIN(WindowHelpersTest)
#include "window_helpers_test.moc"
