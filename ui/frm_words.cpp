#include "ui/frm_words.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QResizeEvent>
#include <QScreen>

#include "ui/click_label.h"
#include "ui/design_place.h"
#include "ui/pictures.h"

namespace lekhora {
namespace {

constexpr int kDesignWidth = 3150;
constexpr int kDesignHeight = 1560;

QString FromU16(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

void Colour(QWidget& widget, QColor background) {
  widget.setAutoFillBackground(true);
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, Qt::black);
  widget.setPalette(palette);
}

}  // namespace

FrmWords::FrmWords(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setObjectName(QStringLiteral("frmWords"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setWindowTitle(QStringLiteral("Suggestions"));
  Colour(*this, QColor(185, 211, 247));
  BuildControls();
  resize(DesignPixels(kDesignWidth), DesignPixels(kDesignHeight));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void FrmWords::BuildControls() {
  // The list text lies under everything else once the popup is laid out.
  lblTip_ = new QLabel(this);
  lblTip_->setObjectName(QStringLiteral("lblTip"));
  lblTip_->setTextFormat(Qt::PlainText);
  lblTip_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QFont tipFont(QStringLiteral("Arial"));
  tipFont.setPointSizeF(9.75);
  lblTip_->setFont(tipFont);
  lblTip_->setCursor(Qt::SizeAllCursor);
  Colour(*lblTip_, QColor(255, 192, 128));
  PlaceTwips(*lblTip_, 30, 0, 1905, 945);

  lblMain_ = new QLabel(this);
  lblMain_->setObjectName(QStringLiteral("lblMain"));
  lblMain_->setTextFormat(Qt::PlainText);
  QFont mainFont(QStringLiteral("Arial"));
  mainFont.setPointSizeF(11.25);
  mainFont.setBold(true);
  lblMain_->setFont(mainFont);
  Colour(*lblMain_, QColor(76, 147, 233));
  PlaceTwips(*lblMain_, 0, 495, 3135, 255);

  imgClose_ = new ClickLabel(this);
  imgClose_->setObjectName(QStringLiteral("imgClose"));
  imgClose_->setToolTip(QStringLiteral("Hide Suggestions"));
  imgClose_->setPixmap(DrawPicture(Picture::Close));
  PlaceTwips(*imgClose_, 2820, 0, 195, 180);
  connect(imgClose_, &ClickLabel::clicked, this, &QWidget::hide);

  imgMove_ = new ClickLabel(this);
  imgMove_->setObjectName(QStringLiteral("imgMove"));
  imgMove_->setToolTip(QStringLiteral("Move"));
  imgMove_->setCursor(Qt::SizeAllCursor);
  imgMove_->setPixmap(DrawPicture(Picture::Move));
  PlaceTwips(*imgMove_, 2820, 180, 195, 180);

  imgSize_ = new ClickLabel(this);
  imgSize_->setObjectName(QStringLiteral("imgSize"));
  imgSize_->setToolTip(QStringLiteral("Resize Suggestions window"));
  imgSize_->setCursor(Qt::SizeFDiagCursor);
  imgSize_->setPixmap(DrawPicture(Picture::SizeGrip));
  PlaceTwips(*imgSize_, 2820, 780, 195, 180);

  for (QWidget* child : {static_cast<QWidget*>(lblTip_), static_cast<QWidget*>(lblMain_),
                         static_cast<QWidget*>(imgClose_), static_cast<QWidget*>(imgMove_),
                         static_cast<QWidget*>(imgSize_)})
    child->setFocusPolicy(Qt::NoFocus);
}

void FrmWords::SetMainCaption(const std::u16string& caption) {
  lblMain_->setText(FromU16(caption));
}

void FrmWords::SetTipText(const std::u16string& text) {
  // A label breaks lines at LF; the list text separates them with CR LF.
  QString shown = FromU16(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  lblTip_->setText(shown);
}

void FrmWords::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!isMinimized()) LayoutControls();
}

void FrmWords::LayoutControls() {
  // The list text covers the popup; the images keep to the right edge.
  const int w = width();
  const int h = height();
  lblTip_->setGeometry(lblTip_->x(), lblTip_->y(), w, h);
  lblMain_->setGeometry(lblMain_->x(), lblMain_->y(), w, lblMain_->height());
  const int closeLeft = w - imgClose_->width() - DesignPixels(30);
  imgClose_->move(closeLeft, imgClose_->y());
  imgMove_->move(closeLeft, imgMove_->y());
  imgSize_->move(closeLeft - 1, h - imgSize_->height() - DesignPixels(35));
}

}  // namespace lekhora
