#include "engine/layout_context.h"

#include "engine/layout_choice.h"

namespace lekhora {

std::shared_ptr<const LayoutContext> MakeLayoutContext(std::u16string_view layout,
                                                       std::u16string_view script) {
  auto context = std::make_shared<LayoutContext>();
  std::int16_t base = kDevanagariBase;
  if (!script.empty()) {
    const OutputScript* chosen = nullptr;
    for (const OutputScript& candidate : OutputScripts())
      if (candidate.name == script) chosen = &candidate;
    if (chosen == nullptr) return nullptr;
    layout = kPhoneticLayout;
    base = chosen->base;
  }
  context->name = layout;
  if (layout == kPhoneticVimraLayout) {
    BuildPhoneticVimraTableInto(context->table, kDevanagariBase);
  } else if (layout == kPhoneticLayout) {
    BuildPhoneticTableInto(context->table, base);
  } else if (layout == kInscriptLayout) {
    BuildInscriptTableInto(context->table, base);
  } else if (layout == kRemingtonLayout) {
    BuildRemingtonTableInto(context->table);
  } else {
    return nullptr;
  }
  return context;
}

}  // namespace lekhora
