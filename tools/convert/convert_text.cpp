#include "tools/convert/convert_text.h"

#include <utility>

#include "engine/key_replay.h"
#include "engine/memory_text_box.h"
#include "engine/suggestion_hooks.h"
#include "engine/typing_engine.h"

namespace lekhora {

namespace {

// One typing session over keys that may arrive in pieces.
class Typist {
 public:
  Typist(std::shared_ptr<const Layout> layout, std::size_t keys)
      : engine_(box_, hooks_, std::move(layout)) {
    // Most keys type one code unit; a little headroom covers the conjuncts.
    box_.Reserve(keys + keys / 8);
  }

  void Type(std::u16string_view keys) {
    for (char16_t unit : keys) {
      // CR LF is one Enter, even when a piece ends between the two.
      const bool lfAfterCr = unit == u'\n' && afterCr_;
      afterCr_ = unit == u'\r';
      if (lfAfterCr) continue;
      TypeKey(engine_, box_, unit == u'\n' ? u'\r' : unit);
    }
  }

  std::u16string TakeText() { return box_.TakeText(); }

 private:
  MemoryTextBox box_;
  NoSuggestions hooks_;
  TypingEngine engine_;
  bool afterCr_ = false;
};

}  // namespace

std::u16string TypeText(std::shared_ptr<const Layout> layout, std::u16string_view keys) {
  Typist typist(std::move(layout), keys.size());
  typist.Type(keys);
  return typist.TakeText();
}

Utf8Result TypeUtf8(std::shared_ptr<const Layout> layout, std::string_view keys) {
  // Never more code units than bytes.
  Typist typist(std::move(layout), keys.size());
  Utf8Result result;
  result.badOffset =
      DecodeUtf8Blocks(keys, [&typist](std::u16string_view block) { typist.Type(block); });
  result.text = typist.TakeText();
  return result;
}

}  // namespace lekhora
