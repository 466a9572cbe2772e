#include "text/lines.h"

namespace lekhora {

std::vector<std::u16string> SplitCrLf(std::u16string_view text) {
  std::vector<std::u16string> entries;
  ForEachCrLfLine(text, [&entries](std::u16string_view line) { entries.emplace_back(line); });
  return entries;
}

}  // namespace lekhora
