#pragma once
// The four input sources and the layout each types with.

#include <string_view>

namespace lekhora {

struct EngineName {
  const char* name;      // the IBus engine name
  const char* longName;  // what the desktop's input source list shows
  std::u16string_view layout;
};

inline constexpr EngineName kEngines[] = {
    {"lekhora-vimra", "Lekhora Phonetic (Vimra)", u"Phonetic(Vimra)"},
    {"lekhora-phonetic", "Lekhora Phonetic", u"Phonetic"},
    {"lekhora-inscript", "Lekhora Inscript", u"Inscript"},
    {"lekhora-remington", "Lekhora Remington", u"Remington"},
};

}  // namespace lekhora
