#include "ui/shell/frm_help_type.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>

#include "base/data_files.h"
#include "base/program_folder.h"
#include "base/read_whole_file.h"
#include "ui/geometry/geometry.h"
#include "ui/kit/control_helpers.h"
#include "ui/kit/look.h"
#include "ui/kit/window_helpers.h"
#include "ui/kit/window_slot.h"

namespace lekhora {
namespace {

WindowSlot<FrmHelpType>& Slot() {
  static WindowSlot<FrmHelpType> slot;
  return slot;
}

// The caret starts just past the first two characters.
constexpr int kCaretAtLoad = 2;

}  // namespace

QString DisplayText(const std::u16string& text) {
  QString out;
  out.reserve(static_cast<qsizetype>(text.size()));
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r') {
      out += QChar(u'\n');
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      out += QChar(text[i]);
    }
  }
  return out;
}

int DisplayPosition(const std::u16string& text, int pos) {
  const int end = std::clamp(pos, 0, static_cast<int>(text.size()));
  int removed = 0;
  for (int i = 0; i + 1 < end; ++i)
    if (text[i] == u'\r' && text[i + 1] == u'\n') ++removed;
  // A position between CR and LF lands on the line break.
  if (end > 0 && end < static_cast<int>(text.size()) && text[end - 1] == u'\r' &&
      text[end] == u'\n')
    ++removed;
  return end - removed;
}

FrmHelpType::FrmHelpType(QWidget* owner, std::filesystem::path folder)
    : QWidget(owner, Qt::Window), folder_(std::move(folder)) {
  txtHelp_ = DressTextWindow(*this, {.name = "frmHelpType",
                                     .title = tr("Help"),
                                     .back = kWindowBack,
                                     .twips = {7305, 4140},
                                     .paneName = "txtHelp",
                                     .paneLabel = tr("Help"),
                                     .paneTwips = {7275, 4095}});
  txtHelp_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font(QStringLiteral("Times New Roman"));
  font.setPointSizeF(14.25);
  txtHelp_->setFont(font);

  Load();
}

void FrmHelpType::Load() {
  std::u16string text;
  try {
    // Without a program folder there is no help file to read. A missing one
    // is not created: the pad never writes into its own folder.
    if (!folder_.empty())
      text = ReadWholeFile(folder_ / kHelpFile, kMaxTextFileBytes, IfMissing::kReadEmpty);
  } catch (const std::exception&) {
    // An unreadable help file still opens the window, empty.
  }
  txtHelp_->setPlainText(DisplayText(text));
  // With fewer than two characters the caret goes to the end instead.
  QTextCursor cursor = txtHelp_->textCursor();
  cursor.setPosition(DisplayPosition(text, kCaretAtLoad));
  txtHelp_->setTextCursor(cursor);
}

void FrmHelpType::closeEvent(QCloseEvent* event) {
  // Closing unloads: forget the window now, so that the next show loads
  // it afresh even before the deferred delete has run.
  Slot().Forget(this);
  QWidget::closeEvent(event);
}

FrmHelpType* HelpWindow(QWidget* owner, const std::filesystem::path& folder) {
  return &Slot().Get(owner, folder);
}

FrmHelpType* HelpWindow(QWidget* owner) {
  return HelpWindow(owner, ProgramFolder());
}

void ShowHelpWindow(QWidget* owner) {
  ShowInFront(*HelpWindow(owner));
}

FrmHelpType* LoadedHelpWindow() {
  return Slot().Find();
}

void UnloadHelpWindow() {
  Slot().Unload();
}

}  // namespace lekhora
