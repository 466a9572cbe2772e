#pragma once
// The splash window frmSplash: the first window of the run. Its two timers
// bring up the pad (Timer2, 40 ms) and close the splash (Timer1, 4000 ms).

#include <QWidget>

class QTimer;

namespace lekhora {

inline constexpr int kSplashStartMilliseconds = 40;
inline constexpr int kSplashCloseMilliseconds = 4000;

class FrmSplash final : public QWidget {
  Q_OBJECT

 public:
  FrmSplash();

  QTimer& Timer1() const { return *timer1_; }
  QTimer& Timer2() const { return *timer2_; }

  /// The splash picture, 212 x 111 pixels.
  static QPixmap DrawSplashPicture();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void BringUpProgram();

  QPixmap picture_;
  QTimer* timer1_ = nullptr;
  QTimer* timer2_ = nullptr;
};

/// The splash window's slot in the window registry.
FrmSplash& SplashWindow();
bool SplashLoaded();
/// Timer1's tick: unloads the splash, and ends the program if it was the last.
void UnloadSplash();

}  // namespace lekhora
