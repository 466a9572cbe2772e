#pragma once
// Where the pad's suggestions are shown: the popup window in the program,
// plain strings in tests and tools.

#include <string>
#include <string_view>

#include "suggest/candidates.h"

namespace lekhora {

/// The caption of lblMain while no word begins with the typed prefix.
inline constexpr std::u16string_view kNoMatchCaption = u" No matching word";

class SuggestionView {
 public:
  virtual ~SuggestionView() = default;
  /// The rows around the current suggestion and which of them it is.
  virtual void Show(const CandidatePage& page) = 0;
};

/// The caption of lblMain for page: a space and the current suggestion, or
/// kNoMatchCaption. False when the suggestion is not among the rows: the
/// caption then stays as it was.
bool MainCaptionOf(const CandidatePage& page, std::u16string& caption);

/// lblTip's text for page: every row followed by CR LF, the current
/// suggestion marked "<<< word >>>".
std::u16string TipTextOf(const CandidatePage& page);

/// Keeps the last caption and text it was shown.
class StringSuggestionView final : public SuggestionView {
 public:
  void Show(const CandidatePage& page) override {
    MainCaptionOf(page, main_);
    tip_ = TipTextOf(page);
  }
  const std::u16string& MainCaption() const { return main_; }
  const std::u16string& TipText() const { return tip_; }

 private:
  std::u16string main_;
  std::u16string tip_;
};

}  // namespace lekhora
