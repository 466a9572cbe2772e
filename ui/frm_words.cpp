#include "ui/frm_words.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QResizeEvent>
#include <QScreen>
#include <QStringList>

#include "ui/announce.h"
#include "ui/chrome_images.h"
#include "ui/control_helpers.h"
#include "ui/design_geometry.h"
#include "ui/geometry.h"
#include "ui/window_helpers.h"

namespace lekhora {
namespace {

std::span<const ControlGeometry> Design() {
  return PopupDesign();
}

// The row of lblTip that lblMain covers.
constexpr qsizetype kHighlightedRow = 2;

}  // namespace

FrmWords::FrmWords(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setObjectName(QStringLiteral("frmWords"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setWindowTitle(QStringLiteral("Suggestions"));
  Colour(*this, kWindowBack);
  BuildControls();
  const Size design = TwipsToPixels(kPopupDesignSize);
  resize(design.Width, design.Height);
  CentreOnScreen(*this);
}

void FrmWords::BuildControls() {
  // The list text lies under everything else once the popup is laid out.
  lblTip_ = new QLabel(this);
  lblTip_->setObjectName(QStringLiteral("lblTip"));
  lblTip_->setTextFormat(Qt::PlainText);
  lblTip_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblTip_->setFont(Arial(9.75));
  lblTip_->setCursor(Qt::SizeAllCursor);
  Colour(*lblTip_, kTipBack);
  lblTip_->setAccessibleName(tr("Suggestions"));
  PlaceDesign(*lblTip_, Design());

  lblMain_ = new QLabel(this);
  lblMain_->setObjectName(QStringLiteral("lblMain"));
  lblMain_->setTextFormat(Qt::PlainText);
  lblMain_->setFont(ArialBold(11.25));
  Colour(*lblMain_, kTitleBack);
  lblMain_->setAccessibleName(tr("No suggestion"));
  PlaceDesign(*lblMain_, Design());

  imgClose_ = MakeChromeImage(this, "imgClose", ChromeImage::Close,
                              QStringLiteral("Hide Suggestions"), Design());
  connect(imgClose_, &ClickLabel::clicked, this, &QWidget::hide);
  imgMove_ = MakeChromeImage(this, "imgMove", ChromeImage::Move, QStringLiteral("Move"), Design());
  imgSize_ = MakeChromeImage(this, "imgSize", ChromeImage::SizeGrip,
                             QStringLiteral("Resize Suggestions window"), Design());

  for (QWidget* area : std::initializer_list<QWidget*>{imgMove_, lblMain_, lblTip_})
    EnableDragMove(this, area);
  new SizeGrip(this, imgSize_);

  for (QWidget* child : {static_cast<QWidget*>(lblTip_), static_cast<QWidget*>(lblMain_),
                         static_cast<QWidget*>(imgClose_), static_cast<QWidget*>(imgMove_),
                         static_cast<QWidget*>(imgSize_)})
    child->setFocusPolicy(Qt::NoFocus);
}

void FrmWords::SetMainCaption(const std::u16string& caption) {
  // A screen reader speaks each new suggestion.
  SetTextAnnounced(lblMain_, FromU16(caption), tr("No suggestion"));
}

void FrmWords::SetTipText(const std::u16string& text) {
  // The list text marks the current suggestion "<<< word >>>". Here lblMain,
  // over the list's third row, is its highlight: the marked word goes to that
  // row, without the marks, also when fewer than two words come before it.
  QStringList rows = FromU16(text).split(QStringLiteral("\r\n"));
  const QString open = QStringLiteral("<<< ");
  const QString close = QStringLiteral(" >>>");
  for (qsizetype row = 0; row < rows.size(); ++row) {
    QString& line = rows[row];
    if (line.size() < open.size() + close.size() || !line.startsWith(open) || !line.endsWith(close))
      continue;
    line = line.mid(open.size(), line.size() - open.size() - close.size());
    for (qsizetype above = row; above < kHighlightedRow; ++above) rows.prepend(QString());
    break;
  }
  // A label breaks lines at LF.
  lblTip_->setText(rows.join(QLatin1Char('\n')));
}

void FrmWords::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!isMinimized()) LayoutControls();
}

void FrmWords::LayoutControls() {
  const auto layout =
      LayoutSuggestionPopup({width() * kTwipsPerPixel, height() * kTwipsPerPixel}, isMinimized());
  if (!layout) return;
  const SuggestionPopupControls& c = layout->Controls;
  Place(*lblMain_, c.lblMain);
  Place(*lblTip_, c.lblTip);
  Place(*imgClose_, c.imgClose);
  Place(*imgMove_, c.imgMove);
  Place(*imgSize_, c.imgSize);
  ApplyWindowShape(this, layout->Shape);
  const Size floor = TwipsToPixels(kPopupMinimum);
  setMinimumSize(floor.Width, floor.Height);
  // Below 2500 x 800 twips the popup snaps back; the resize lays it out again.
  const Size wanted = TwipsToPixels(layout->Window);
  if (wanted.Width != width() || wanted.Height != height()) resize(wanted.Width, wanted.Height);
}

}  // namespace lekhora
