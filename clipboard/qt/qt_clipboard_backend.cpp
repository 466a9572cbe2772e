#include "clipboard/qt/qt_clipboard_backend.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>

#include "base/error.h"

namespace lekhora {
namespace {

constexpr const char* kSource = "ModClipboard";

QClipboard& SystemClipboard() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) throw Error(kSubscriptOutOfRange, kSource, "No clipboard");
  return *clipboard;
}

}  // namespace

bool QtClipboardBackend::SetText(const std::u16string& text) {
  QClipboard& clipboard = SystemClipboard();
  const QString value = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  // New mime data replaces every format that was there before.
  auto* data = new QMimeData;
  data->setText(value);
  clipboard.setMimeData(data, QClipboard::Clipboard);
  const QMimeData* now = clipboard.mimeData(QClipboard::Clipboard);
  return now != nullptr && now->hasText() && now->text() == value;
}

std::optional<std::u16string> QtClipboardBackend::Text() {
  const QMimeData* data = SystemClipboard().mimeData(QClipboard::Clipboard);
  if (data == nullptr || !data->hasText()) return std::nullopt;
  return data->text().toStdU16String();
}

}  // namespace lekhora
