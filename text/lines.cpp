#include "text/lines.h"

namespace lekhora {

std::vector<std::u16string> SplitCrLf(std::u16string_view text) {
  std::vector<std::u16string> entries;
  if (text.empty()) return entries;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(u"\r\n", start);
    if (end == std::u16string_view::npos) {
      entries.emplace_back(text.substr(start));
      return entries;
    }
    entries.emplace_back(text.substr(start, end - start));
    start = end + 2;
  }
}

}  // namespace lekhora
