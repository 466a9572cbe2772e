#pragma once
// A box's caret and selection, compared in one expectation.

#include <ostream>

#include "engine/text_box.h"

namespace lekhora::testing {

struct Caret {
  int SelStart = 0;
  int SelLength = 0;
  bool operator==(const Caret&) const = default;
};

inline Caret CaretOf(const TextBox& box) {
  return {box.SelStart(), box.SelLength()};
}

inline void PrintTo(const Caret& caret, std::ostream* out) {
  *out << "caret at " << caret.SelStart << ", " << caret.SelLength << " selected";
}

}  // namespace lekhora::testing
