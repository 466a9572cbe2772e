#pragma once
// The suggestion popup frmWords: the current suggestion and its neighbours.
// It never takes the keyboard focus from the typing box.

#include <QStringList>
#include <QWidget>
#include <string>

#include "suggest/candidates.h"
#include "ui/kit/window_slot.h"

class QLabel;

namespace lekhora {

class ChromeImageWidget;

class FrmWords final : public QWidget {
  Q_OBJECT

 public:
  /// Shown above owner and going with it; without owner it stands alone.
  explicit FrmWords(QWidget* owner = nullptr);

  /// The rows in lblTip, the current suggestion's row under lblMain.
  void ShowCandidates(const CandidatePage& page);
  /// lblMain's caption, which a screen reader speaks.
  void SetMainCaption(const std::u16string& caption);

  QLabel* lblMain() const { return lblMain_; }
  QLabel* lblTip() const { return lblTip_; }
  /// The height of a row of the list and of the current suggestion over it,
  /// pixels: whole letters with every sign above and below them.
  int RowHeight() const;
  /// The word on the row of lblTip at y (in lblTip), the current suggestion
  /// on lblMain's row; empty for a row without one.
  QString WordAtRow(int y) const;

 signals:
  /// A right-click on a row of words: the typing window offers to forget it.
  void wordMenuRequested(const QString& word, const QPoint& at);
  /// A left click on a row of words, the pointer not moved between press and
  /// release (a move drags the window instead).
  void wordClicked(const QString& word);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void LayoutControls();
  /// The word on label's row at y, lblMain's being the current suggestion.
  QString WordAt(const QLabel* label, int y) const;

  QStringList rows_;
  // The left press on a row, until its release.
  QPoint pressAt_;
  QString pressWord_;
  QLabel* lblTip_ = nullptr;
  QLabel* lblMain_ = nullptr;
  ChromeImageWidget* imgClose_ = nullptr;
  ChromeImageWidget* imgMove_ = nullptr;
  ChromeImageWidget* imgSize_ = nullptr;
};

/// The suggestion popup, owned by the typing window.
WindowSlot<FrmWords>& WordsWindowSlot();

}  // namespace lekhora
