#pragma once
// Types a whole text through the typing engine, one key per code unit.

#include <string>
#include <string_view>

namespace lekhora {

/// Types keys into an empty box with the current layout and conversion on,
/// the caret always at the end. A line end (LF, CR or CR LF) is one Enter and
/// comes out as LF. Call LoadLayouts (and SetLayout) first.
std::u16string TypeText(std::u16string_view keys);

}  // namespace lekhora
