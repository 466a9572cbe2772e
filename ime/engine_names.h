#pragma once
// The input sources and the layout each types with: the same names under
// every input framework, so a user finds them alike in IBus and fcitx5.

#include <string_view>

namespace lekhora {

struct EngineName {
  const char* name;      // the IBus engine's and the fcitx5 input method's name
  const char* longName;  // what the desktop's input source list shows
  std::u16string_view layout;
  const char* symbol;  // what the tray shows: क and the layout's initial
};

// As in the IBus component file and the fcitx5 input method files, which
// cmake/LekhoraEngines.cmake lists; each engine's icon is icons/NAME.svg
// beside the engine.
inline constexpr EngineName kEngines[] = {
    {"lekhora-vimra", "Lekhora Phonetic (Vimra)", u"Phonetic(Vimra)", "\u0915V"},
    {"lekhora-phonetic", "Lekhora Phonetic", u"Phonetic", "\u0915P"},
    {"lekhora-inscript", "Lekhora Inscript", u"Inscript", "\u0915I"},
    {"lekhora-remington", "Lekhora Remington", u"Remington", "\u0915R"},
    // Latin letters as people spell Hindi in them: its initial is a Latin one.
    {"lekhora-roman", "Lekhora IntelligentRoman", u"IntelligentRoman", "\u0915a"},
};

}  // namespace lekhora
