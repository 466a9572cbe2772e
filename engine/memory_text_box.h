#pragma once
// A text box held in memory, with the selection rules of the typing box, for
// tests and the command-line converter.

#include <string>
#include <string_view>

#include "engine/text_box.h"

namespace lekhora {

class MemoryTextBox final : public TextBox {
 public:
  MemoryTextBox() = default;
  explicit MemoryTextBox(std::u16string text);

  std::u16string Text() const override { return text_; }
  int SelStart() const override { return start_; }
  int SelLength() const override { return length_; }
  std::u16string SelText() const override;
  CaretPlace Place() const override {
    return {start_, length_, Size(),
            start_ > 0 ? text_[static_cast<std::size_t>(start_ - 1)] : u'\0'};
  }

  bool SetSelStart(int pos) override;
  bool SetSelLength(int length) override;
  /// Typing at the end of the text appends, so it costs amortised O(1).
  void SetSelText(std::u16string_view text) override;

  /// Room for capacity code units, so long typing does not move the text.
  void Reserve(std::size_t capacity) { text_.reserve(capacity); }
  /// The text without a copy.
  const std::u16string& View() const { return text_; }
  /// Moves the whole text out and leaves the box empty.
  std::u16string TakeText();

  /// What the box itself does with a key code the key handlers let through:
  /// Backspace deletes the selection or the character before the caret (both
  /// halves of a surrogate pair), Enter inserts a line feed, Tab, the space and
  /// printable code units are inserted, other control codes are dropped.
  void DefaultKey(char16_t code);

 private:
  int Size() const { return static_cast<int>(text_.size()); }
  void Backspace();
  void ReplaceSelection(std::u16string_view text);

  std::u16string text_;
  int start_ = 0;
  int length_ = 0;
};

}  // namespace lekhora
