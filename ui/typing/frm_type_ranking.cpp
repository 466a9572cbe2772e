// The typing window's side of ranked suggestions and learning: the history
// the pad shares with the input method, written soon after each word and
// read again when the window becomes active, the two settings, forgetting a
// word from the popup and clearing the history.

#include <QAction>
#include <QMenu>
#include <QTimer>

#include "ui/kit/look.h"
#include "ui/typing/frm_type.h"
#include "ui/typing/type_box.h"
#include "ui/typing/typing_core.h"
#include "userdata/roman_words.h"
#include "userdata/word_ranking.h"

namespace lekhora {
namespace {

// Soon after a word, yet seldom while typing goes on: the write is one short
// transaction, never on a key.
constexpr int kHistoryWriteMilliseconds = 1500;

}  // namespace

void FrmType::StartRanking() {
  if (ranking_) return;
  // The data folder's history is the one every input-method process of the
  // user learns into too; without a folder it lives in memory for the run.
  const std::filesystem::path file =
      userFolders_.Data.empty() ? std::filesystem::path() : userFolders_.Data / kHistoryFile;
  ranking_ = std::make_unique<WordRanking>(folder_, file);
  ranking_->SetLearning(learnWords_);
  historyTimer_ = new QTimer(this);
  historyTimer_->setObjectName(QStringLiteral("timHistory"));
  historyTimer_->setSingleShot(true);
  historyTimer_->setInterval(kHistoryWriteMilliseconds);
  connect(historyTimer_, &QTimer::timeout, this, &FrmType::FlushHistory);
  core_->OnLearned([this] {
    if (!historyTimer_->isActive()) historyTimer_->start();
  });
  core_->SetRanking(ranking_.get(), mostUsedFirst_);
  core_->SetRomanSource(
      [this](std::u16string_view letters, std::u16string_view previous, int count) {
        if (!romanWords_) {
          romanWords_ = std::make_unique<RomanWords>(folder_, *ranking_);
          // Without the model the letters stay as typed; the title says why.
          if (!romanWords_->Loaded()) AddTitleNote(QString::fromStdString(romanWords_->Problem()));
          romanWords_->SetUserWords(userWords_->Words().Words());
        }
        return romanWords_->Candidates(letters, previous, count);
      });
  PassHistoryNotes();
}

void FrmType::PassHistoryNotes() {
  if (!ranking_) return;
  for (const std::string& note : ranking_->History().TakeNotes())
    AddTitleNote(QString::fromStdString(note));
}

void FrmType::FlushHistory() {
  if (!ranking_) return;
  // Another process holding the file keeps the words for the next try.
  if (ranking_->History().Flush() == FlushResult::Busy) historyTimer_->start();
  PassHistoryNotes();
}

void FrmType::SetMostUsedFirst(bool on) {
  if (on == mostUsedFirst_ && ranking_) return;
  mostUsedFirst_ = on;
  StartRanking();
  core_->SetRanking(ranking_.get(), on);
  SuggestAgain();
  emit settingsChanged();
}

void FrmType::SetLearnWords(bool on) {
  if (on == learnWords_ && ranking_) return;
  learnWords_ = on;
  StartRanking();
  ranking_->SetLearning(on);
  emit settingsChanged();
}

void FrmType::SuggestAgain() {
  // IntelligentRoman's words come from its own source, ranked there.
  if (core_->Roman()) {
    core_->RomanAgain();
    return;
  }
  Suggestions& suggestions = core_->Suggest();
  // After a word break the popup keeps showing the word that ended.
  if (!core_->Engine().State().WordPrefix.empty() || suggestions.Ranked()) suggestions.SearchList();
  suggestions.ShowSuggestions();
}

QMenu* FrmType::BuildPopupMenu(const std::u16string& word) {
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("mnuPopup"));
  QAction* forget = menu->addAction(tr("Forget this word"));
  forget->setObjectName(QStringLiteral("mnuForgetWord"));
  forget->setEnabled(!word.empty());
  connect(forget, &QAction::triggered, this, [this, word] { ForgetWord(word); });
  return menu;
}

void FrmType::ForgetWord(const std::u16string& word) {
  if (word.empty()) return;
  StartRanking();
  ranking_->History().Forget(word);
  PassHistoryNotes();
  if (core_->Suggest().Ranked() || core_->Roman()) SuggestAgain();
  ShowStatus(
      tr("\"%1\" is forgotten: it is no longer learned from your typing.").arg(FromU16(word)));
}

void FrmType::ClearTypingHistory() {
  // Nothing brings the history back.
  if (!AskToClear(
          "msgClearHistory", tr("Clear the typing history?"),
          tr("Every word learned from your typing is forgotten, here and in the input method."),
          false))
    return;
  StartRanking();
  ranking_->History().Clear();
  PassHistoryNotes();
  if (core_->Suggest().Ranked()) SuggestAgain();
  txtType_->setFocus();
}

}  // namespace lekhora
