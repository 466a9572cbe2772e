#include "clipboard/mod_clipboard.h"

#include <exception>

namespace lekhora {

bool SetUnicodeText(ClipboardBackend& clipboard, const std::u16string& text) {
  try {
    return clipboard.SetText(text);
  } catch (const std::exception&) {
    // The copy is silent by design: the caller learns of it by the result.
    return false;
  }
}

std::u16string GetUnicodeText(ClipboardBackend& clipboard, const ClipboardErrorSink& report) {
  try {
    // No code-page round trip: Devanagari with a low byte of 3 (the visarga,
    // U+0903) would not survive one.
    return clipboard.Text().value_or(std::u16string());
  } catch (const Error& error) {
    if (report) report(kGetUnicodeTextTitle, ClipboardErrorMessage(error));
  } catch (const std::exception& error) {
    if (report)
      report(kGetUnicodeTextTitle, ClipboardErrorMessage(Error(0, kRuntimeSource, error.what())));
  }
  return {};
}

std::string ClipboardErrorMessage(const Error& error) {
  return "Error " + std::to_string(error.number()) + ": " + error.description();
}

}  // namespace lekhora
