#pragma once
// Lines of the word lists and the help text.

#include <string>
#include <string_view>
#include <vector>

namespace lekhora {

/// Splits at every CR LF. Text without CR LF is one entry; empty text none.
std::vector<std::u16string> SplitCrLf(std::u16string_view text);

}  // namespace lekhora
