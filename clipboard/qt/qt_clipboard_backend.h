#pragma once
// The system clipboard through Qt.

#include "clipboard/clipboard_backend.h"

namespace lekhora {

class QtClipboardBackend final : public ClipboardBackend {
 public:
  bool SetText(const std::u16string& text) override;
  std::optional<std::u16string> Text() override;
};

}  // namespace lekhora
