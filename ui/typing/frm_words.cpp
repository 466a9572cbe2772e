#include "ui/typing/frm_words.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QStringList>
#include <utility>

#include "suggest/suggestion_view.h"
#include "ui/geometry/design_geometry.h"
#include "ui/geometry/geometry.h"
#include "ui/kit/announce.h"
#include "ui/kit/chrome_images.h"
#include "ui/kit/control_helpers.h"
#include "ui/kit/window_helpers.h"

namespace lekhora {
namespace {

std::span<const ControlGeometry> Design() {
  return PopupDesign();
}

// The row of lblTip that lblMain covers.
constexpr qsizetype kHighlightedRow = 2;

// Letters with the signs that reach farthest above and below them: candrabindu
// over a long vowel sign below (hU~), ai with a nasal sign (haiM), a conjunct
// with ra below and a sign above (dre), vocalic r, and Latin for the rest.
QString TallestSample() {
  static const char16_t units[] = {0x0939, 0x0942, 0x0901, 0x0020, 0x0939, 0x0948, 0x0902,
                                   0x0020, 0x0926, 0x094D, 0x0930, 0x0947, 0x0020, 0x0915,
                                   0x0943, 0x0020, 0x091F, 0x094D, 0x0920, 0x0941, 0x0020,
                                   0x0041, 0x0067, 0x006A, 0x0079};
  return QString::fromUtf16(units, std::size(units));
}

struct RowMetrics {
  int Ascent = 0;
  int Height = 0;
};

// A line of the font's own metrics is the primary font's: the font that draws
// Devanagari in its place has taller signs, which would be cut at the row's
// edges and run into the next. The sample's ink, drawn as the rows draw it,
// decides.
RowMetrics RowsFor(const QFont& font) {
  const QFontMetrics metrics(font);
  const QString sample = TallestSample();
  const int baseline = 2 * metrics.height();
  QImage image(metrics.horizontalAdvance(sample) + 2 * metrics.height(), 4 * metrics.height(),
               QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(metrics.height(), baseline), sample);
  }
  int top = baseline;
  int bottom = baseline;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (line[x] != qRgb(255, 255, 255)) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        break;
      }
    }
  }
  // A pixel of room above and below the ink.
  const int ascent = std::max(metrics.ascent(), baseline - top + 1);
  const int descent = std::max(metrics.descent(), bottom - baseline + 2);
  return {ascent, ascent + descent};
}

// A label of rows a fixed height apart, each drawn whole or not at all.
class RowsLabel final : public QLabel {
 public:
  explicit RowsLabel(QWidget* parent) : QLabel(parent) {}
  int rowHeight = 0;
  int ascent = 0;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect room = contentsRect();
    int top = room.top() + (alignment() & Qt::AlignVCenter ? (room.height() - rowHeight) / 2 : 0);
    for (const QString& row : text().split(QLatin1Char('\n'))) {
      if (top + rowHeight > room.bottom() + 1 && top > room.top()) break;
      painter.drawText(QPoint(room.left(), top + ascent), row);
      top += rowHeight;
    }
  }
};

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
  lblTip_ = new RowsLabel(this);
  lblTip_->setObjectName(QStringLiteral("lblTip"));
  lblTip_->setTextFormat(Qt::PlainText);
  lblTip_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblTip_->setFont(Arial(9.75));
  lblTip_->setCursor(Qt::SizeAllCursor);
  Colour(*lblTip_, kTipBack);
  lblTip_->setAccessibleName(tr("Suggestions"));
  PlaceDesign(*lblTip_, Design());

  lblMain_ = new RowsLabel(this);
  lblMain_->setObjectName(QStringLiteral("lblMain"));
  lblMain_->setTextFormat(Qt::PlainText);
  lblMain_->setFont(ArialBold(11.25));
  lblMain_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Colour(*lblMain_, kTitleBack);
  lblMain_->setAccessibleName(tr("No suggestion"));
  PlaceDesign(*lblMain_, Design());

  imgClose_ = MakeChromeImage(this, "imgClose", ChromeImage::Close,
                              QStringLiteral("Hide Suggestions"), Design());
  connect(imgClose_, &ClickLabel::clicked, this, &QWidget::hide);
  imgMove_ = MakeChromeImage(this, "imgMove", ChromeImage::Move, QStringLiteral("Move"), Design());
  imgSize_ = MakeChromeImage(this, "imgSize", ChromeImage::SizeGrip,
                             QStringLiteral("Resize Suggestions window"), Design());

  // One row height for both, so that lblMain covers its row of the list
  // exactly and holds the larger font's letters whole.
  const RowMetrics tip = RowsFor(lblTip_->font());
  const RowMetrics main = RowsFor(lblMain_->font());
  const int height = std::max(tip.Height, main.Height);
  for (auto [label, rows] : {std::pair{lblTip_, tip}, std::pair{lblMain_, main}}) {
    auto* r = static_cast<RowsLabel*>(label);
    r->rowHeight = height;
    r->ascent = rows.Ascent + (height - rows.Height) / 2;
  }

  for (QWidget* area : std::initializer_list<QWidget*>{imgMove_, lblMain_, lblTip_})
    EnableDragMove(this, area);
  // A right-click on a row offers to forget its word; on lblMain, the
  // current suggestion's.
  for (QLabel* label : {lblTip_, lblMain_}) {
    label->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(label, &QWidget::customContextMenuRequested, this, [this, label](const QPoint& at) {
      const QString word = WordAt(label, at.y());
      if (!word.isEmpty()) emit wordMenuRequested(word, label->mapToGlobal(at));
    });
    // Installed after the drag's filter, so it sees the press first.
    label->installEventFilter(this);
  }
  new SizeGrip(this, imgSize_);

  for (QWidget* child : {static_cast<QWidget*>(lblTip_), static_cast<QWidget*>(lblMain_),
                         static_cast<QWidget*>(imgClose_), static_cast<QWidget*>(imgMove_),
                         static_cast<QWidget*>(imgSize_)})
    child->setFocusPolicy(Qt::NoFocus);
}

QString FrmWords::WordAt(const QLabel* label, int y) const {
  return WordAtRow(label == lblMain_ ? lblTip_->contentsRect().top() + kHighlightedRow * RowHeight()
                                     : y);
}

bool FrmWords::eventFilter(QObject* watched, QEvent* event) {
  const auto* label = qobject_cast<const QLabel*>(watched);
  if (label == nullptr || (label != lblTip_ && label != lblMain_))
    return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    pressWord_.clear();
    if (mouse->button() == Qt::LeftButton) {
      pressAt_ = mouse->globalPosition().toPoint();
      pressWord_ = WordAt(label, mouse->position().toPoint().y());
    }
  } else if (event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QString word = std::exchange(pressWord_, QString());
    const bool still = (mouse->globalPosition().toPoint() - pressAt_).manhattanLength() <
                       QApplication::startDragDistance();
    if (mouse->button() == Qt::LeftButton && still && !word.isEmpty()) emit wordClicked(word);
  }
  // The drag and the keyboard's return to the box still see the event.
  return QWidget::eventFilter(watched, event);
}

int FrmWords::RowHeight() const {
  return static_cast<const RowsLabel*>(lblTip_)->rowHeight;
}

QString FrmWords::WordAtRow(int y) const {
  const int height = RowHeight();
  const int top = lblTip_->contentsRect().top();
  if (height <= 0 || y < top) return {};
  const qsizetype row = (y - top) / height;
  if (row >= rows_.size()) return {};
  // The empty row of a prefix no word begins with is no word either.
  return rows_[row];
}

void FrmWords::SetMainCaption(const std::u16string& caption) {
  // A screen reader speaks each new suggestion.
  SetTextAnnounced(lblMain_, FromU16(caption), tr("No suggestion"));
}

void FrmWords::ShowCandidates(const CandidatePage& page) {
  std::u16string caption;
  if (MainCaptionOf(page, caption)) SetMainCaption(caption);
  // lblMain, over the list's third row, is the highlight: the current row
  // goes to that row, also when fewer than two words come before it.
  QStringList rows;
  rows.reserve(static_cast<qsizetype>(page.Words.size()) + kHighlightedRow);
  for (qsizetype above = page.Highlight; above >= 0 && above < kHighlightedRow; ++above)
    rows << QString();
  for (const std::u16string_view word : page.Words)
    rows << QString::fromUtf16(word.data(), static_cast<qsizetype>(word.size()));
  // The rows a digit picks show it; a click still reads the bare word.
  QStringList shown = rows;
  const qsizetype padding = rows.size() - static_cast<qsizetype>(page.Words.size());
  for (int number = 1; page.Numbered >= 0 && number <= 9; ++number) {
    const qsizetype row = padding + page.Numbered + number - 1;
    if (row >= shown.size()) break;
    shown[row] = QString::number(number) + QLatin1Char(' ') + shown[row];
  }
  // A label breaks lines at LF.
  lblTip_->setText(shown.join(QLatin1Char('\n')));
  rows_ = std::move(rows);
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
  // Over the list's highlighted row, whatever height the fonts give a row.
  lblMain_->setGeometry(lblMain_->x(), lblTip_->y() + kHighlightedRow * RowHeight(),
                        lblMain_->width(), RowHeight());
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

WindowSlot<FrmWords>& WordsWindowSlot() {
  static WindowSlot<FrmWords> slot;
  return slot;
}

}  // namespace lekhora
