#pragma once
// The text box the key handlers write into: the real typing box in the
// program, an in-memory one in tests and tools.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace lekhora {

struct CaretPlace {
  int SelStart = 0;
  int SelLength = 0;
  int Length = 0;       // of the whole text
  char16_t Before = 0;  // the unit before SelStart; 0 at the start, "\n" for a line break
};

/// Positions and lengths are in UTF-16 code units, 0-based.
class TextBox {
 public:
  virtual ~TextBox() = default;

  virtual std::u16string Text() const = 0;
  /// The last units (most at the most) of the text before pos, line breaks
  /// as "\n": what a look at the words just typed needs, without copying a
  /// long text.
  virtual std::u16string TextBefore(int pos, int most) const {
    const std::u16string text = Text();
    const std::size_t end = std::min(static_cast<std::size_t>(std::max(pos, 0)), text.size());
    const std::size_t start = end - std::min(end, static_cast<std::size_t>(std::max(most, 0)));
    return text.substr(start, end - start);
  }
  virtual int SelStart() const = 0;
  virtual int SelLength() const = 0;
  virtual std::u16string SelText() const = 0;
  /// The selection, the length of the text and the unit before the caret,
  /// read together: the key handlers compare them on every key, so this
  /// never copies the text.
  virtual CaretPlace Place() const = 0;

  /// Collapses the selection to a caret at pos; beyond the end goes to the end.
  /// A negative pos is refused: returns false and changes nothing.
  virtual bool SetSelStart(int pos) = 0;
  /// Extends the selection from SelStart, cut at the end of the text.
  /// A negative length is refused: returns false and changes nothing.
  virtual bool SetSelLength(int length) = 0;
  /// Replaces the selection (or inserts at the caret); the caret ends after it.
  virtual void SetSelText(std::u16string_view text) = 0;
};

}  // namespace lekhora
