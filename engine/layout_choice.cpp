#include "engine/layout_choice.h"

namespace lekhora {

LayoutChoice::LayoutChoice() : current_(MakeLayout(kPhoneticVimraLayout)) {}

CaptionRange LayoutChoice::SetLayout(std::u16string_view name) {
  if (std::shared_ptr<const Layout> layout = MakeLayout(name)) {
    current_ = std::move(layout);
    return {32, 127};
  }
  current_ = MakeEmptyLayout(name);
  return {};
}

LayoutChoice::ScriptChoice LayoutChoice::ChooseOutputScript(std::u16string_view item) {
  // An empty item would name no script, and give Phonetic at its own base.
  std::shared_ptr<const Layout> layout = item.empty() ? nullptr : MakeLayout(kPhoneticLayout, item);
  if (!layout) return {};
  ScriptChoice choice;
  choice.madeCurrent = current_->Name() != kPhoneticLayout;
  current_ = std::move(layout);
  choice.captions = {1, 127};
  return choice;
}

}  // namespace lekhora
