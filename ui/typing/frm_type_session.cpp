// The typing window's side of what the pad remembers: the settings as the
// controls show them, applied back through the controls' own functions, the
// restored text, and the title band's notes about the user's files.

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTextCursor>
#include <vector>

#include "engine/layout_choice.h"
#include "ui/kit/look.h"
#include "ui/typing/frm_type.h"
#include "ui/typing/keyboard_panel.h"
#include "ui/typing/pad_memory.h"
#include "ui/typing/shell_hooks.h"
#include "ui/typing/type_box.h"

namespace lekhora {
namespace {

PixelRect PixelsOf(const QRect& rect) {
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

// The available areas of the screens, the primary one first.
std::vector<PixelRect> ScreenAreas() {
  std::vector<PixelRect> areas;
  if (const QScreen* primary = QGuiApplication::primaryScreen())
    areas.push_back(PixelsOf(primary->availableGeometry()));
  for (const QScreen* screen : QGuiApplication::screens())
    if (screen != QGuiApplication::primaryScreen())
      areas.push_back(PixelsOf(screen->availableGeometry()));
  return areas;
}

void PlaceWindow(QWidget& window, const PixelRect& saved) {
  const PixelRect place = RestoredPlace(saved, ScreenAreas());
  window.resize(place.Width, place.Height);
  window.move(place.X, place.Y);
}

}  // namespace

void FrmType::RestoreSession() {
  SkipOnError([this] { StartRanking(); });
  SkipOnError([this] { memory_->Restore(); });
}

PadSettings FrmType::CurrentSettings() const {
  PadSettings settings;
  settings.Layout = CurrentLayout().Name();
  if (CurrentLayout().Name() == kPhoneticLayout) settings.OutputScript = outputScript_;
  settings.Conversion = chKB_->isChecked();
  settings.Keyboard = chShowKB_->isChecked();
  settings.FontPoints = txtType_->font().pointSizeF();
  settings.Window = PixelsOf(geometry());
  if (words_) settings.Popup = PixelsOf(words_->geometry());
  settings.PopupShown = popupShown_;
  settings.MostUsedFirst = mostUsedFirst_;
  settings.LearnWords = learnWords_;
  return settings;
}

void FrmType::ApplySettings(const PadSettings& settings) {
  chKB_->setChecked(settings.Conversion);
  CallShell(Shell().ChooseLayout, FromU16(settings.Layout));
  if (!settings.OutputScript.empty()) {
    const QString script = FromU16(settings.OutputScript);
    QComboBox* list = picKB_->OutputScriptList();
    list->setCurrentIndex(list->findText(script, Qt::MatchExactly | Qt::MatchCaseSensitive));
    OnOutputScriptChosen(script);
  }
  chShowKB_->setChecked(settings.Keyboard);
  SetLearnWords(settings.LearnWords);
  SetMostUsedFirst(settings.MostUsedFirst);
  SetFontSize(settings.FontPoints);
  if (settings.Window) PlaceWindow(*this, *settings.Window);
  if (words_) {
    if (settings.Popup) PlaceWindow(*words_, *settings.Popup);
    // Closed as its own close image closes it.
    if (!settings.PopupShown) words_->hide();
  }
}

void FrmType::RestoreText(const std::u16string& text) {
  if (text.empty()) return;
  txtType_->setPlainText(FromU16(text));
  QTextCursor cursor = txtType_->textCursor();
  cursor.movePosition(QTextCursor::End);
  txtType_->setTextCursor(cursor);
  txtType_->ensureCursorVisible();
}

void FrmType::AddTitleNote(const QString& note) {
  if (note.isEmpty() || titleNotes_.contains(note)) return;
  titleNotes_ << note;
  const QString tip = titleNotes_.join(QLatin1Char('\n'));
  // The caption lies on the band too; it says the same.
  lblTitle_->setToolTip(tip);
  label3_->setToolTip(tip);
}

void FrmType::WarnNotSaved(const std::filesystem::path& folder) {
  if (notSavedWarned_) return;
  notSavedWarned_ = true;
  // A tooltip as wide as a path of thousands of characters is not shown at
  // all; its start and its end say which folder it is.
  constexpr qsizetype kShownPath = 160;
  QString shown = PathText(folder);
  if (shown.size() > kShownPath)
    shown = shown.left(kShownPath / 4) + QChar(0x2026) + shown.right(kShownPath * 3 / 4);
  AddTitleNote(tr("Lekhora cannot save in %1: your words, settings and text are kept only "
                  "until it ends")
                   .arg(shown));
}

}  // namespace lekhora
