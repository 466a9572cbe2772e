#include "app/frm_splash.h"

#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "ui/kit/look.h"
#include "ui/kit/window_helpers.h"
#include "ui/shell/frm_tray.h"
#include "ui/shell/windows.h"
#include "ui/typing/frm_type.h"
#include "ui/typing/type_box.h"

namespace lekhora {
namespace {

constexpr int kPictureWidth = 212;
constexpr int kPictureHeight = 111;

WindowSlot<FrmSplash>& SplashSlot() {
  static WindowSlot<FrmSplash> slot;
  return slot;
}

// Decoding the word list and reading the user's files leave freed blocks all
// over the heap; the pad lives long, so they go back to the system.
void ReturnFreedMemory() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

// Loads the typing window's word list once the window's first picture is on
// screen, or sooner when a key or typed text reaches its box, then steps
// aside.
class WordListLoader final : public QObject {
 public:
  explicit WordListLoader(FrmType& type) : QObject(&type), type_(type) {
    type_.installEventFilter(this);
    type_.txtType().installEventFilter(this);
    // A window that is not drawn (shown minimised) gets its list all the same.
    QTimer::singleShot(kLatestMilliseconds, this, [this] { Load(); });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (watched == &type_ && type == QEvent::Paint) {
      // Picked up after this paint has reached the screen.
      QTimer::singleShot(0, this, [this] { Load(); });
    } else if (watched != &type_ && (type == QEvent::KeyPress || type == QEvent::ShortcutOverride ||
                                     type == QEvent::InputMethod)) {
      Load();
    }
    return false;
  }

 private:
  static constexpr int kLatestMilliseconds = 1000;

  void Load() {
    if (done_) return;
    done_ = true;
    type_.removeEventFilter(this);
    type_.txtType().removeEventFilter(this);
    type_.LoadWordList();
    ReturnFreedMemory();
    deleteLater();
  }

  FrmType& type_;
  bool done_ = false;
};

}  // namespace

FrmSplash::FrmSplash()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setObjectName(QStringLiteral("frmSplash"));
  // It stands over the typing window for seconds: a click on it, and the
  // keys after it, belong to the typing box.
  setAttribute(Qt::WA_ShowWithoutActivating);
  GiveKeysTo(this, []() -> QWidget* {
    FrmType* type = TypeWindowSlot().Find();
    return type != nullptr ? &type->txtType() : nullptr;
  });
  setWindowTitle(QStringLiteral("Lekhora"));
  setFixedSize(kPictureWidth, kPictureHeight);
  CentreOnScreen(*this);
  SetFormTopmost(this, true);

  timer2_ = new QTimer(this);
  timer2_->setObjectName(QStringLiteral("Timer2"));
  timer2_->setInterval(kSplashStartMilliseconds);
  timer2_->setTimerType(Qt::PreciseTimer);
  connect(timer2_, &QTimer::timeout, this, &FrmSplash::BringUpProgram);
  timer2_->start();

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(kSplashCloseMilliseconds);
  // A coarse timer may tick up to 5% early; the splash stays its full time.
  timer1_->setTimerType(Qt::PreciseTimer);
  // Unloading destroys this window, so it happens once the tick has returned.
  connect(timer1_, &QTimer::timeout, this, [] { QTimer::singleShot(0, &UnloadSplash); });
  timer1_->start();
}

void FrmSplash::BringUpProgram() {
  // The typing window's load runs to its end before it is shown, and the
  // tray window is loaded after it; the timer is off before anything else
  // can tick.
  FrmType& type = TypeWindow();
  type.show();
  TrayWindow();
  timer2_->stop();
  // The pad is up as every start brings it up; now it becomes what the user
  // left, as if chosen again.
  type.RestoreSession();
  // Where no window manager keeps it on top, the splash stays above anyway.
  raise();
  if (type.WordListLoaded()) {
    ReturnFreedMemory();
    return;
  }
  // The word list the load put off is decoded as soon as the window has been
  // drawn, and in any case before the first key reaches the box.
  new WordListLoader(type);
}

void FrmSplash::paintEvent(QPaintEvent*) {
  // Drawn at the first paint, so that Timer2 already runs while the fonts
  // are set up for it.
  if (picture_.isNull()) picture_ = DrawSplashPicture();
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
}

QPixmap FrmSplash::DrawSplashPicture() {
  QPixmap pixmap(kPictureWidth, kPictureHeight);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  QLinearGradient blue(0, 0, 0, kPictureHeight);
  blue.setColorAt(0, QColor(120, 180, 250));
  blue.setColorAt(1, QColor(30, 70, 160));
  p.fillRect(pixmap.rect(), blue);
  p.setPen(QColor(255, 255, 255, 160));
  p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));

  // The letter KA (U+0915), built from its code point.
  QFont letter;
  letter.setPixelSize(64);
  letter.setBold(true);
  p.setFont(letter);
  p.setPen(QColor(255, 255, 255, 220));
  p.drawText(QRect(8, 6, 80, 96), Qt::AlignCenter, QString(QChar(char16_t{0x0915})));

  QFont name(QStringLiteral("Arial"));
  name.setPixelSize(28);
  name.setBold(true);
  p.setFont(name);
  p.setPen(Qt::white);
  p.drawText(QRect(84, 24, 124, 36), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Lekhora"));
  QFont line(QStringLiteral("Arial"));
  line.setPixelSize(11);
  p.setFont(line);
  p.drawText(QRect(86, 62, 124, 30), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
             QStringLiteral("Devanagari typing pad"));
  return pixmap;
}

FrmSplash& SplashWindow() {
  return SplashSlot().Get();
}

bool SplashLoaded() {
  return SplashSlot().IsLoaded();
}

void UnloadSplash() {
  SplashSlot().Unload();
  QuitWhenNoWindowLoaded();
}

}  // namespace lekhora
