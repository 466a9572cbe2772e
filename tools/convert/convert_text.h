#pragma once
// Types a whole text through the typing engine, one key per code unit.

#include <memory>
#include <string>
#include <string_view>

#include "engine/layout.h"
#include "text/utf8.h"

namespace lekhora {

/// Types keys with layout into an empty box, conversion on, the caret always
/// at the end. A line end (LF, CR or CR LF) is one Enter and comes out as LF.
std::u16string TypeText(std::shared_ptr<const Layout> layout, std::u16string_view keys);

/// TypeText for UTF-8 keys, decoded as they are typed rather than into a copy
/// first. At the first invalid sequence typing stops and badOffset is set;
/// the text is then incomplete.
Utf8Result TypeUtf8(std::shared_ptr<const Layout> layout, std::string_view keys);

}  // namespace lekhora
