#pragma once
// The system clipboard as the Unicode clipboard sees it: one text format only.

#include <optional>
#include <string>

namespace lekhora {

class ClipboardBackend {
 public:
  virtual ~ClipboardBackend() = default;

  /// Makes text the whole content of the clipboard, replacing every other
  /// format. Returns false when the clipboard did not take it; throws
  /// lekhora::Error when the clipboard cannot be reached at all.
  virtual bool SetText(const std::u16string& text) = 0;
  /// The clipboard's Unicode text, or nothing when it holds no text.
  /// Throws lekhora::Error when the clipboard cannot be read.
  virtual std::optional<std::u16string> Text() = 0;
};

}  // namespace lekhora
