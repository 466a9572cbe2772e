// The right-click menus of the typing box and the custom word list: the
// usual edit actions, the user's words, clearing the text and the
// suggestions' settings.

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>

#include "suggest/user_words.h"
#include "ui/kit/look.h"
#include "ui/kit/qt_text_box.h"
#include "ui/kit/status_tip.h"
#include "ui/typing/frm_type.h"
#include "ui/typing/type_box.h"
#include "ui/typing/typing_core.h"
#include "userdata/roman_words.h"
#include "userdata/user_word_store.h"

namespace lekhora {
namespace {

constexpr int kStatusMilliseconds = 5000;
// Longer words are cut in the menu's caption.
constexpr int kCaptionWordLength = 24;

const QChar kEllipsis(0x2026);

QAction* AddAction(QMenu& menu, const char* name, const QString& caption, bool enabled,
                   const QKeySequence& keys = {}) {
  QAction* action = menu.addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  action->setEnabled(enabled);
  if (!keys.isEmpty()) {
    // Shown beside the caption; the box itself handles the keys.
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setShortcutVisibleInContextMenu(true);
  }
  return action;
}

QString Quoted(const std::u16string& word) {
  QString shown = FromU16(word);
  if (shown.size() > kCaptionWordLength) shown = shown.left(kCaptionWordLength - 1) + kEllipsis;
  return QLatin1Char('"') + shown + QLatin1Char('"');
}

}  // namespace

QMenu* FrmType::BuildTextMenu() {
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("mnuText"));
  TypeBox* box = txtType_;
  const bool selected = box->textCursor().hasSelection();
  connect(AddAction(*menu, "mnuUndo", tr("&Undo"), box->document()->isUndoAvailable(),
                    QKeySequence::Undo),
          &QAction::triggered, box, &QPlainTextEdit::undo);
  connect(AddAction(*menu, "mnuRedo", tr("&Redo"), box->document()->isRedoAvailable(),
                    QKeySequence::Redo),
          &QAction::triggered, box, &QPlainTextEdit::redo);
  menu->addSeparator();
  connect(AddAction(*menu, "mnuCut", tr("Cu&t"), selected, QKeySequence::Cut), &QAction::triggered,
          box, &QPlainTextEdit::cut);
  connect(AddAction(*menu, "mnuCopy", tr("&Copy"), selected, QKeySequence::Copy),
          &QAction::triggered, box, &QPlainTextEdit::copy);
  connect(AddAction(*menu, "mnuPaste", tr("&Paste"), box->canPaste(), QKeySequence::Paste),
          &QAction::triggered, box, &QPlainTextEdit::paste);
  menu->addSeparator();
  connect(AddAction(*menu, "mnuSelectAll", tr("Select &All"), !box->document()->isEmpty(),
                    QKeySequence::SelectAll),
          &QAction::triggered, box, &QPlainTextEdit::selectAll);
  menu->addSeparator();
  QAction* used = AddAction(*menu, "mnuMostUsed", tr("Most used words first"), true);
  used->setCheckable(true);
  used->setChecked(MostUsedFirst());
  connect(used, &QAction::toggled, this, &FrmType::SetMostUsedFirst);
  QAction* learn = AddAction(*menu, "mnuLearnWords", tr("Learn the words I type"), true);
  learn->setCheckable(true);
  learn->setChecked(LearnWords());
  connect(learn, &QAction::toggled, this, &FrmType::SetLearnWords);
  connect(AddAction(*menu, "mnuClearHistory", tr("Clear typing history") + kEllipsis, true),
          &QAction::triggered, this, &FrmType::ClearTypingHistory);
  menu->addSeparator();
  // Offered also with nothing to add, so that the user hears why.
  const std::u16string word = WordToAdd(box_->Text(), box_->SelStart(), box_->SelLength());
  const QString shown =
      word.empty() ? QLatin1Char('"') + kEllipsis + QLatin1Char('"') : Quoted(word);
  connect(AddAction(*menu, "mnuAddWord", tr("Add %1 to my words").arg(shown), true),
          &QAction::triggered, this, &FrmType::AddWordAtCaret);
  connect(AddAction(*menu, "mnuClearText", tr("Clear all text") + kEllipsis, true),
          &QAction::triggered, this, &FrmType::ClearAllText);
  return menu;
}

QMenu* FrmType::BuildWordMenu(int row) {
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("mnuWord"));
  connect(AddAction(*menu, "mnuRemoveWord", tr("Remove from my words"), true), &QAction::triggered,
          this, [this, row] { RemoveCustomWord(row); });
  return menu;
}

void FrmType::AddWordAtCaret() {
  const std::u16string word = WordToAdd(box_->Text(), box_->SelStart(), box_->SelLength());
  const UserWordStore::Change change = userWords_->Add(word);
  if (change.Reloaded) {
    FillCustomWords();
  } else if (change.Edit == WordEdit::Done) {
    if (const auto row = wordRows_.Inserted(change.Index, WordRows::Shown(word)))
      lstCustomWords_->insertItem(static_cast<int>(*row), FromU16(word));
  }
  if (change.Edit == WordEdit::Done || change.Edit == WordEdit::AlreadyThere) {
    // The list box shows where the word is.
    const QList<QListWidgetItem*> found =
        lstCustomWords_->findItems(FromU16(word), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!found.isEmpty()) {
      lstCustomWords_->setCurrentItem(found.back());
      lstCustomWords_->scrollToItem(found.back());
    }
  }
  ReportWordChange(true, change.Edit, change.Saved, change.SaveError, word, txtType_);
}

void FrmType::RemoveCustomWord(int row) {
  QListWidgetItem* item = lstCustomWords_->item(row);
  if (item == nullptr) return;
  const std::u16string word = item->text().toStdU16String();
  const auto index = wordRows_.IndexOfRow(static_cast<std::size_t>(row));
  if (!index) return;
  const UserWordStore::Change change = userWords_->Remove(*index, word);
  if (change.Reloaded) {
    FillCustomWords();
  } else if (change.Edit == WordEdit::Done) {
    if (const auto shown = wordRows_.Removed(change.Index))
      delete lstCustomWords_->takeItem(static_cast<int>(*shown));
  }
  ReportWordChange(false, change.Edit, change.Saved, change.SaveError, word, lstCustomWords_);
}

void FrmType::ReportWordChange(bool adding, WordEdit edit, bool saved, const std::string& saveError,
                               const std::u16string& word, QWidget* near) {
  // IntelligentRoman finds the user's words as they are now.
  if (romanWords_ && edit == WordEdit::Done) romanWords_->SetUserWords(userWords_->Words().Words());
  for (const std::string& note : userWords_->TakeNotes())
    AddTitleNote(QString::fromStdString(note));
  if (!saveError.empty()) WarnNotSaved(userWords_->File().parent_path());
  const QString quoted = Quoted(word);
  QString message;
  switch (edit) {
    case WordEdit::Done:
      message = adding ? tr("%1 is now one of your words.").arg(quoted)
                       : tr("%1 is no longer one of your words.").arg(quoted);
      if (!saved) message += QLatin1Char(' ') + tr("It is not saved.");
      break;
    case WordEdit::AlreadyThere:
      message = tr("%1 is already one of your words.").arg(quoted);
      break;
    case WordEdit::Empty:
      message = tr("Nothing to add: select a word or put the caret in one.");
      break;
    case WordEdit::NotOneLine:
      message = tr("Not added: a word is one line, and the selection holds a line break.");
      break;
    case WordEdit::TooLong:
      message = tr("Not added: a word of yours is at most %1 characters.").arg(kMaxUserWordUnits);
      break;
    case WordEdit::NotThere:
      message = tr("%1 was not in your words any more.").arg(quoted);
      break;
  }
  ShowStatus(message, near);
}

bool FrmType::AskToClear(const char* name, const QString& question, const QString& detail,
                         bool clearByDefault) {
  QMessageBox ask(QMessageBox::Question, QStringLiteral("Lekhora"), question, QMessageBox::NoButton,
                  this);
  ask.setObjectName(QString::fromLatin1(name));
  ask.setInformativeText(detail);
  QPushButton* clear = ask.addButton(tr("Clear"), QMessageBox::DestructiveRole);
  clear->setObjectName(QStringLiteral("btnClear"));
  QPushButton* cancel = ask.addButton(QMessageBox::Cancel);
  cancel->setObjectName(QStringLiteral("btnCancel"));
  ask.setDefaultButton(clearByDefault ? clear : cancel);
  // Escape keeps what there is.
  ask.setEscapeButton(cancel);
  ask.exec();
  return ask.clickedButton() == clear;
}

void FrmType::ClearAllText() {
  // The user has asked for it already, and Undo brings the text back.
  if (!AskToClear("msgClearText", tr("Clear all the text?"), tr("Undo brings it back."), true))
    return;
  // Through a cursor rather than clear(), which would forget the undo steps.
  QTextCursor all(txtType_->document());
  all.select(QTextCursor::Document);
  all.removeSelectedText();
  core_->Engine().State() = TypingState{};
  txtType_->setFocus();
}

void FrmType::ShowStatus(const QString& text, QWidget* near) {
  status_ = text;
  QWidget* at = near != nullptr ? near : txtType_;
  const QPoint point = at == txtType_
                           ? txtType_->viewport()->mapToGlobal(txtType_->cursorRect().bottomLeft())
                           : at->mapToGlobal(QPoint(0, at->height() / 2));
  if (!statusTip_) statusTip_ = new StatusTip(this);
  // Shown once the menu that asked for it has closed and the focus is back.
  QTimer::singleShot(0, statusTip_, [tip = statusTip_, point, text] {
    if (tip) tip->ShowAt(point, text, kStatusMilliseconds);
  });
}

}  // namespace lekhora
