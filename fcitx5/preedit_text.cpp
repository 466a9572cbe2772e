#include "fcitx5/preedit_text.h"

#include <fcitx-utils/textformatflags.h>

#include <algorithm>
#include <cstddef>

#include "text/utf8.h"

namespace lekhora {

fcitx::Text PreeditText(std::u16string_view preedit, int caret) {
  fcitx::Text text;
  if (preedit.empty()) {
    text.setCursor(0);
    return text;
  }
  text.append(EncodeUtf8(preedit), fcitx::TextFormatFlag::Underline);
  const auto at = std::min(static_cast<std::size_t>(std::max(caret, 0)), preedit.size());
  text.setCursor(static_cast<int>(EncodeUtf8(preedit.substr(0, at)).size()));
  return text;
}

}  // namespace lekhora
