#pragma once
// Lines of the word lists and the help text.

#include <string>
#include <string_view>
#include <vector>

namespace lekhora {

/// Calls line(entry) for every entry between CR LFs, in order. Text without
/// CR LF is one entry; empty text none.
template <typename Line>
void ForEachCrLfLine(std::u16string_view text, Line&& line) {
  if (text.empty()) return;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(u"\r\n", start);
    if (end == std::u16string_view::npos) {
      line(text.substr(start));
      return;
    }
    line(text.substr(start, end - start));
    start = end + 2;
  }
}

/// Splits at every CR LF. Text without CR LF is one entry; empty text none.
std::vector<std::u16string> SplitCrLf(std::u16string_view text);

}  // namespace lekhora
