#include "suggest/canonical_fold.h"

#include <utility>

namespace lekhora {

namespace {

constexpr char16_t kNukta = 0x093C;

// The consonant under each of U+0958..U+095F (qa, khha, ghha, za, dddha, rha,
// fa, yya). Unicode excludes these from composition, so normal form C always
// spells them as consonant and nukta.
constexpr char16_t kNuktaLetterBase[] = {0x0915, 0x0916, 0x0917, 0x091C,
                                         0x0921, 0x0922, 0x092B, 0x092F};

bool IsExcludedNuktaLetter(char16_t unit) {
  return unit >= 0x0958 && unit <= 0x095F;
}

// The three letters that do compose with a nukta, and what they become.
char16_t ComposedWithNukta(char16_t unit) {
  switch (unit) {
    case 0x0928:
      return 0x0929;
    case 0x0930:
      return 0x0931;
    case 0x0933:
      return 0x0934;
    default:
      return 0;
  }
}

char16_t BaseOfComposed(char16_t unit) {
  switch (unit) {
    case 0x0929:
      return 0x0928;
    case 0x0931:
      return 0x0930;
    case 0x0934:
      return 0x0933;
    default:
      return 0;
  }
}

// Canonical combining classes of the block; every other unit is a starter.
int CombiningClass(char16_t unit) {
  switch (unit) {
    case kNukta:
      return 7;
    case 0x094D:  // virama
      return 9;
    case 0x0952:  // stress sign anudatta
      return 220;
    case 0x0951:
    case 0x0953:
    case 0x0954:
      return 230;
    default:
      return 0;
  }
}

}  // namespace

bool NeedsCanonicalFold(std::u16string_view text) {
  char16_t previous = 0;
  for (char16_t unit : text) {
    if (IsExcludedNuktaLetter(unit)) return true;
    if (unit == kNukta && ComposedWithNukta(previous) != 0) return true;
    const int order = CombiningClass(unit);
    if (order != 0 && CombiningClass(previous) > order) return true;
    previous = unit;
  }
  return false;
}

void FoldCanonical(std::u16string_view text, std::u16string& out) {
  out.clear();
  // Full decomposition.
  for (char16_t unit : text) {
    if (IsExcludedNuktaLetter(unit)) {
      out.push_back(kNuktaLetterBase[unit - 0x0958]);
      out.push_back(kNukta);
    } else if (const char16_t base = BaseOfComposed(unit); base != 0) {
      out.push_back(base);
      out.push_back(kNukta);
    } else {
      out.push_back(unit);
    }
  }
  // Canonical order: a stable sort of every run of marks by combining class.
  for (std::size_t i = 1; i < out.size(); ++i) {
    const int order = CombiningClass(out[i]);
    if (order == 0) continue;
    for (std::size_t j = i; j > 0 && CombiningClass(out[j - 1]) > order; --j)
      std::swap(out[j - 1], out[j]);
  }
  // Composition. After the ordering a nukta that is not blocked stands right
  // after its starter, as the nukta has the lowest class of the block.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (out[i] == kNukta && kept > 0) {
      if (const char16_t composed = ComposedWithNukta(out[kept - 1]); composed != 0) {
        out[kept - 1] = composed;
        continue;
      }
    }
    out[kept++] = out[i];
  }
  out.resize(kept);
}

std::u16string_view SearchForm(std::u16string_view typed, std::u16string& storage) {
  if (!NeedsCanonicalFold(typed)) return typed;
  FoldCanonical(typed, storage);
  return storage;
}

}  // namespace lekhora
