#pragma once
// Where the suggestions are shown: the popup window in the program, plain
// strings in tests and tools.

#include <string>

namespace lekhora {

class SuggestionView {
 public:
  virtual ~SuggestionView() = default;
  /// The one-line caption of the current suggestion (lblMain).
  virtual void SetMainCaption(const std::u16string& caption) = 0;
  /// The neighbourhood list, CR LF after every line (lblTip).
  virtual void SetTipText(const std::u16string& text) = 0;
};

/// Shows nothing; for start-up before the popup exists, and benchmarks.
class NullSuggestionView final : public SuggestionView {
 public:
  void SetMainCaption(const std::u16string&) override {}
  void SetTipText(const std::u16string&) override {}
};

/// Keeps the last caption and text it was given.
class StringSuggestionView final : public SuggestionView {
 public:
  void SetMainCaption(const std::u16string& caption) override { main_ = caption; }
  void SetTipText(const std::u16string& text) override { tip_ = text; }
  const std::u16string& MainCaption() const { return main_; }
  const std::u16string& TipText() const { return tip_; }

 private:
  std::u16string main_;
  std::u16string tip_;
};

}  // namespace lekhora
