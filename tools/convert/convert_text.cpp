#include "tools/convert/convert_text.h"

#include "engine/key_replay.h"
#include "engine/memory_text_box.h"
#include "engine/suggestion_hooks.h"
#include "engine/typing_engine.h"

namespace lekhora {

std::u16string TypeText(std::u16string_view keys) {
  MemoryTextBox box;
  // Most keys type one code unit; a little headroom covers the conjuncts.
  box.Reserve(keys.size() + keys.size() / 8);
  NoSuggestions hooks;
  TypingEngine engine(box, hooks);
  const std::size_t size = keys.size();
  for (std::size_t i = 0; i < size; ++i) {
    char16_t unit = keys[i];
    if (unit == u'\r' && i + 1 < size && keys[i + 1] == u'\n') ++i;
    if (unit == u'\n') unit = u'\r';
    TypeKey(engine, box, unit);
  }
  return box.TakeText();
}

}  // namespace lekhora
