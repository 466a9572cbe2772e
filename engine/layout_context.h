#pragma once
// A layout and the table it types with, for typing that must not follow the
// process-wide current layout (one input method session per application
// window, each with a layout of its own).

#include <memory>
#include <string>
#include <string_view>

#include "engine/layout_tables.h"

namespace lekhora {

struct LayoutContext {
  /// One of LayoutNames(): decides the composition rules.
  std::u16string name;
  /// What each key types; never changed once built, so sessions share it.
  LayoutTable table;
};

/// The table of layout at the default base; with a script (an OutputScripts()
/// item) the Phonetic layout at that script's base, as choosing the script in
/// the pad does. Null for an unknown layout or script.
std::shared_ptr<const LayoutContext> MakeLayoutContext(std::u16string_view layout,
                                                       std::u16string_view script = {});

}  // namespace lekhora
