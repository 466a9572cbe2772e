#pragma once
// The pad's choice of layout and output script: which layout value it types
// with and shows on the on-screen keyboard.

#include <memory>
#include <string_view>

#include "engine/layout.h"

namespace lekhora {

/// On-screen key captions to read again from the current layout.
struct CaptionRange {
  int first = 1;
  int last = 0;  // below first: none
  bool empty() const { return last < first; }
};

class LayoutChoice {
 public:
  /// "Phonetic(Vimra)", as the typing window opens with.
  LayoutChoice();

  /// The layout typed with now.
  const Layout& CurrentLayout() const { return *current_; }
  const std::shared_ptr<const Layout>& Current() const { return current_; }

  /// Makes the named layout current, Phonetic and Inscript at the Devanagari
  /// base (dropping a script chosen before); its captions 32..127 are to be
  /// repainted. An unknown name is kept as the name of a layout that types
  /// nothing, and no caption changes.
  CaptionRange SetLayout(std::u16string_view name);

  struct ScriptChoice {
    /// Phonetic was not current before.
    bool madeCurrent = false;
    CaptionRange captions;
  };
  /// Makes Phonetic at the item's base current, so that what the keyboard
  /// shows is what the user types; captions 1..127 are to be repainted. An
  /// unknown item changes nothing.
  ScriptChoice ChooseOutputScript(std::u16string_view item);

 private:
  std::shared_ptr<const Layout> current_;
};

}  // namespace lekhora
