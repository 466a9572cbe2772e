#pragma once
// The session's preedit as fcitx5 shows it.

#include <fcitx/text.h>

#include <string_view>

namespace lekhora {

/// preedit underlined, with the caret at caret (UTF-16 units of preedit,
/// clamped to it) turned into fcitx5's byte offset. An empty preedit has its
/// caret at 0, not fcitx5's "no caret": the Qt front end takes an empty
/// preedit at 0 after a commit as no change, so a word break changes the box
/// once, where "no caret" made it lay its text out a second time.
fcitx::Text PreeditText(std::u16string_view preedit, int caret);

}  // namespace lekhora
