#include "engine/memory_text_box.h"

#include <utility>

#include "base/utf16.h"

namespace lekhora {

MemoryTextBox::MemoryTextBox(std::u16string text) : text_(std::move(text)), start_(Size()) {}

std::u16string MemoryTextBox::SelText() const {
  return text_.substr(start_, length_);
}

bool MemoryTextBox::SetSelStart(int pos) {
  if (pos < 0) return false;
  start_ = pos > Size() ? Size() : pos;
  length_ = 0;
  return true;
}

bool MemoryTextBox::SetSelLength(int length) {
  if (length < 0) return false;
  const int room = Size() - start_;
  length_ = length > room ? room : length;
  return true;
}

void MemoryTextBox::SetSelText(std::u16string_view text) {
  if (start_ == Size() && length_ == 0) {
    text_.append(text);
    start_ += static_cast<int>(text.size());
    return;
  }
  ReplaceSelection(text);
}

// Apart from SetSelText, which nearly always appends and so stays short.
void MemoryTextBox::ReplaceSelection(std::u16string_view text) {
  text_.replace(static_cast<std::size_t>(start_), static_cast<std::size_t>(length_), text);
  start_ += static_cast<int>(text.size());
  length_ = 0;
}

std::u16string MemoryTextBox::TakeText() {
  std::u16string text = std::move(text_);
  text_.clear();
  start_ = 0;
  length_ = 0;
  return text;
}

void MemoryTextBox::Backspace() {
  if (length_ == 0) {
    if (start_ == 0) return;
    int from = start_ - 1;
    if (from > 0 && IsLowSurrogate(text_[from]) && IsHighSurrogate(text_[from - 1])) --from;
    length_ = start_ - from;
    start_ = from;
  }
  SetSelText({});
}

void MemoryTextBox::DefaultKey(char16_t code) {
  switch (code) {
    case 8:
      Backspace();
      return;
    case 9:
      SetSelText(u"\t");
      return;
    case 13:
      SetSelText(u"\n");
      return;
    default:
      break;
  }
  if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) return;
  SetSelText(std::u16string_view(&code, 1));
}

}  // namespace lekhora
