#pragma once
// Copy and paste of Unicode text: the only way text leaves or enters the pad.

#include <functional>
#include <string>

#include "base/error.h"
#include "clipboard/clipboard_backend.h"

namespace lekhora {

/// Shows a failure of the clipboard reader to the user (title, message).
using ClipboardErrorSink =
    std::function<void(const std::string& title, const std::string& message)>;

/// Title of the reader's error box.
inline constexpr const char* kGetUnicodeTextTitle = "GetUnicodeText";

/// Places text on the clipboard as its only content. True when it was placed;
/// false when the clipboard refused it or could not be reached.
bool SetUnicodeText(ClipboardBackend& clipboard, const std::u16string& text);

/// The clipboard's text exactly as it is there, or empty text when it holds
/// none. A failure of the clipboard gives empty text and is shown through
/// report as "Error <number>: <description>".
std::u16string GetUnicodeText(ClipboardBackend& clipboard, const ClipboardErrorSink& report);

/// "Error " number ": " description.
std::string ClipboardErrorMessage(const Error& error);

}  // namespace lekhora
