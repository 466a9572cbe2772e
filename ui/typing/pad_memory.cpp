#include "ui/typing/pad_memory.h"

#include <QTimer>

#include "ui/kit/look.h"
#include "ui/typing/frm_type.h"
#include "ui/typing/type_box.h"
#include "userdata/settings_file.h"
#include "userdata/user_file.h"

namespace lekhora {

PadMemory::PadMemory(FrmType& pad, UserFolders folders) : pad_(pad), files_(std::move(folders)) {
  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("timSave"));
  timer_->setSingleShot(true);
  timer_->setInterval(kSaveDelayMilliseconds);
  connect(timer_, &QTimer::timeout, this, &PadMemory::SaveNow);
  PassNotes();
}

PadMemory::~PadMemory() = default;

void PadMemory::PassNotes() {
  for (const std::string& note : files_.TakeNotes())
    pad_.AddTitleNote(QString::fromStdString(note));
}

void PadMemory::Restore() {
  if (restored_) return;
  const std::optional<SettingsValues> file = files_.ReadSettings();
  const std::optional<PadSettings> values =
      file ? std::optional<PadSettings>(PadSettingsOf(*file)) : std::nullopt;
  PassNotes();
  pad_.ApplySettings(CheckedSettings(values.value_or(PadSettings{})));
  // What the file holds. Nothing is written before the first change or the
  // exit, so that a file the pad could not use stays as it is till then.
  if (values) saved_ = *values;
  pad_.RestoreText(files_.ReadText());
  PassNotes();

  connect(&pad_.txtType(), &QPlainTextEdit::textChanged, this, [this] {
    textChanged_ = true;
    Changed();
  });
  connect(&pad_, &FrmType::settingsChanged, this, &PadMemory::Changed);
  restored_ = true;
}

void PadMemory::Changed() {
  // A change during typing does not put the save off again: at most the
  // last delay's worth is ever unsaved.
  if (restored_ && !timer_->isActive()) timer_->start();
}

void PadMemory::SaveNow() {
  if (!restored_) return;
  timer_->stop();
  SaveSettings();
  SaveText();
}

void PadMemory::SaveSettings() {
  PadSettings now = pad_.CurrentSettings();
  // The input method's menu switches learning in this file too. Unless the
  // pad's own switch moved since the file was read or written, the file's
  // word stands and the pad follows it rather than writing its own back.
  if (saved_ && now.LearnWords == saved_->LearnWords) {
    if (const std::optional<SettingsValues> file = files_.ReadSettings()) {
      const bool learn = LearningOn(*file);
      if (learn != now.LearnWords) {
        pad_.SetLearnWords(learn);
        now.LearnWords = saved_->LearnWords = learn;
      }
    }
    PassNotes();
  }
  if (saved_ == now) return;
  const SaveResult result = files_.SaveSettings(SettingsFileText(now));
  if (result == SaveResult::Failed) pad_.WarnNotSaved(files_.Folders().Config);
  if (result == SaveResult::Saved) saved_ = now;
}

void PadMemory::SaveText() {
  if (!textChanged_) return;
  const SaveResult result = files_.SaveText(pad_.txtType().toPlainText().toStdU16String());
  PassNotes();
  if (result == SaveResult::Failed) pad_.WarnNotSaved(files_.Folders().Data);
  if (result == SaveResult::Saved) textChanged_ = false;
}

}  // namespace lekhora
