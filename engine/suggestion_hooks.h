#pragma once
// The key handlers' calls into the suggestion search and popup.

#include <cstdint>
#include <string>

namespace lekhora {

class TextBox;

class SuggestionHooks {
 public:
  virtual ~SuggestionHooks() = default;

  /// Searches the word list for the word prefix and moves the current
  /// suggestion; returns the first match, or -1. The key handlers ignore it.
  virtual std::int16_t SearchList() = 0;
  /// Refills the popup around the current suggestion.
  virtual void ShowSuggestions() = 0;
  /// Writes the current suggestion over the typed prefix ending at caret
  /// (and the separator typed after it, when separator is true); returns the
  /// word written, empty when nothing was.
  virtual std::u16string Accept(TextBox& box, int caret, bool separator) = 0;
  virtual void ScrollDown() = 0;
  virtual void ScrollUp() = 0;
  /// Makes candidate index, as the list numbers its candidates, the current
  /// suggestion; an index outside them is ignored.
  virtual void Pick(int index) = 0;
};

/// Used until a word list is attached: every call does nothing.
class NoSuggestions final : public SuggestionHooks {
 public:
  std::int16_t SearchList() override { return -1; }
  void ShowSuggestions() override {}
  std::u16string Accept(TextBox&, int, bool) override { return {}; }
  void ScrollDown() override {}
  void ScrollUp() override {}
  void Pick(int) override {}
};

}  // namespace lekhora
