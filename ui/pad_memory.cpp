#include "ui/pad_memory.h"

#include <QSettings>
#include <QTimer>
#include <chrono>
#include <exception>
#include <system_error>

#include "base/files.h"
#include "ui/frm_type.h"
#include "ui/look.h"
#include "ui/type_box.h"
#include "ui/user_file.h"

namespace lekhora {
namespace {

constexpr const char* kSource = "PadMemory";

QString Name(const std::filesystem::path& file) {
  return QString::fromStdU16String(file.filename().u16string());
}

std::optional<PixelRect> ReadPlace(QSettings& settings, const QString& group) {
  settings.beginGroup(group);
  bool ok[4] = {};
  const PixelRect place{settings.value(QStringLiteral("x")).toInt(&ok[0]),
                        settings.value(QStringLiteral("y")).toInt(&ok[1]),
                        settings.value(QStringLiteral("width")).toInt(&ok[2]),
                        settings.value(QStringLiteral("height")).toInt(&ok[3])};
  settings.endGroup();
  if (!(ok[0] && ok[1] && ok[2] && ok[3])) return std::nullopt;
  return place;
}

void WritePlace(QSettings& settings, const QString& group, const std::optional<PixelRect>& place) {
  settings.beginGroup(group);
  if (place) {
    settings.setValue(QStringLiteral("x"), place->X);
    settings.setValue(QStringLiteral("y"), place->Y);
    settings.setValue(QStringLiteral("width"), place->Width);
    settings.setValue(QStringLiteral("height"), place->Height);
  }
  settings.endGroup();
}

bool ReadBool(QSettings& settings, const char* key, bool fallback) {
  const QVariant value = settings.value(QString::fromLatin1(key));
  const QString text = value.toString();
  if (text == QStringLiteral("true")) return true;
  if (text == QStringLiteral("false")) return false;
  return fallback;
}

}  // namespace

PadMemory::PadMemory(FrmType& pad, UserFolders folders) : pad_(pad), folders_(std::move(folders)) {
  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("timSave"));
  timer_->setSingleShot(true);
  timer_->setInterval(kSaveDelayMilliseconds);
  connect(timer_, &QTimer::timeout, this, &PadMemory::SaveNow);
}

bool PadMemory::SetAside(const std::filesystem::path& file, const std::string& problem) {
  if (const auto aside = SetDamagedFileAside(file, std::chrono::system_clock::now())) {
    pad_.AddTitleNote(tr("%1 was %2; it is kept as %3")
                          .arg(Name(file), QString::fromStdString(problem), Name(*aside)));
    return true;
  }
  LeaveAlone(file, problem);
  return false;
}

void PadMemory::LeaveAlone(const std::filesystem::path& file, const std::string& problem) {
  pad_.AddTitleNote(tr("%1 is %2; it is left as it is and not saved")
                        .arg(Name(file), QString::fromStdString(problem)));
}

std::optional<PadSettings> PadMemory::ReadSettings() {
  const std::filesystem::path file = SettingsFile();
  const UserFileRead read = ReadUserFile(file, UserFileKind::Utf8Lines);
  if (read.State == UserFileState::Unusable) {
    settingsLeftAlone_ = true;
    LeaveAlone(file, read.Problem);
  }
  if (read.State == UserFileState::Damaged) settingsLeftAlone_ = !SetAside(file, read.Problem);
  if (read.State != UserFileState::Usable) return std::nullopt;

  QSettings settings(PathText(file), QSettings::IniFormat);
  if (settings.status() != QSettings::NoError) {
    settingsLeftAlone_ = !SetAside(file, "not a settings file");
    return std::nullopt;
  }
  PadSettings values;
  values.Layout =
      ToU16(settings.value(QStringLiteral("layout"), FromU16(values.Layout)).toString());
  values.OutputScript = ToU16(settings.value(QStringLiteral("outputScript")).toString());
  values.Conversion = ReadBool(settings, "conversion", values.Conversion);
  values.Keyboard = ReadBool(settings, "keyboard", values.Keyboard);
  bool ok = false;
  const double points = settings.value(QStringLiteral("fontSize")).toDouble(&ok);
  if (ok) values.FontPoints = points;
  values.Window = ReadPlace(settings, QStringLiteral("window"));
  values.Popup = ReadPlace(settings, QStringLiteral("popup"));
  values.PopupShown = ReadBool(settings, "popup/shown", values.PopupShown);
  return values;
}

std::u16string PadMemory::ReadText() {
  const std::filesystem::path file = TextFile();
  RemoveStaleTemporaries(file);
  const UserFileRead read = ReadUserFile(file, UserFileKind::Utf8Lines);
  switch (read.State) {
    case UserFileState::Usable:
      return TextFromFileBytes(read.Bytes);
    case UserFileState::Damaged:
      textLeftAlone_ = !SetAside(file, read.Problem);
      return {};
    case UserFileState::Unusable:
      textLeftAlone_ = true;
      LeaveAlone(file, read.Problem);
      return {};
    case UserFileState::Missing:
    case UserFileState::Empty:
      return {};
  }
  return {};
}

void PadMemory::Restore() {
  if (restored_) return;
  const std::optional<PadSettings> values = ReadSettings();
  pad_.ApplySettings(CheckedSettings(values.value_or(PadSettings{})));
  // What the file holds. Nothing is written before the first change or the
  // exit, so that a file the pad could not use stays as it is till then.
  if (values) saved_ = *values;
  pad_.RestoreText(ReadText());

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
  if (settingsLeftAlone_) return;
  const PadSettings now = pad_.CurrentSettings();
  if (saved_ == now) return;
  const std::filesystem::path file = SettingsFile();
  {
    QSettings settings(PathText(file), QSettings::IniFormat);
    settings.setValue(QStringLiteral("layout"), FromU16(now.Layout));
    settings.setValue(QStringLiteral("outputScript"), FromU16(now.OutputScript));
    settings.setValue(QStringLiteral("conversion"), now.Conversion);
    settings.setValue(QStringLiteral("keyboard"), now.Keyboard);
    settings.setValue(QStringLiteral("fontSize"), now.FontPoints);
    WritePlace(settings, QStringLiteral("window"), now.Window);
    WritePlace(settings, QStringLiteral("popup"), now.Popup);
    settings.setValue(QStringLiteral("popup/shown"), now.PopupShown);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
      pad_.WarnNotSaved(folders_.Config);
      return;
    }
  }
  saved_ = now;
}

void PadMemory::SaveText() {
  if (!textChanged_ || textLeftAlone_) return;
  const std::vector<std::uint8_t> bytes =
      TextFileBytes(pad_.txtType().toPlainText().toStdU16String());
  if (bytes.size() > kUserFileLimit) {
    // It could not be read back; the last text that fitted stays.
    if (!textTooLongTold_) pad_.AddTitleNote(tr("The text is larger than 16 MB and is not saved"));
    textTooLongTold_ = true;
    return;
  }
  try {
    std::error_code ec;
    std::filesystem::create_directories(folders_.Data, ec);
    ReplaceFile(TextFile(), bytes, kSource);
  } catch (const std::exception&) {
    pad_.WarnNotSaved(folders_.Data);
    return;
  }
  textChanged_ = false;
}

}  // namespace lekhora
