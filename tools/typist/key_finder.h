#pragma once
// The fewest keys that type a word in a layout, found from the layout itself:
// a typist who knows the layout perfectly and never corrects anything.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/layout.h"

namespace lekhora::typist {

struct KeyPath {
  /// The characters of the keys, in order; an upper-case letter is one key
  /// (Shift held with it, as a typist presses it).
  std::u16string keys;
  /// What the word reads as after each key (spelt as the word list spells
  /// it): outputs[i] after keys[0..i].
  std::vector<std::u16string> outputs;
};

/// Searches breadth first over key sequences typed into a fresh engine,
/// keeping only those whose text is still the start of the word (word in
/// normal form C, as the word list holds it), so the
/// first sequence that types the word whole is a shortest one. Nothing when
/// the layout cannot type the word that way.
std::optional<KeyPath> FewestKeys(std::shared_ptr<const Layout> layout, std::u16string_view word);

/// FewestKeys with each word searched once.
class KeyFinder {
 public:
  explicit KeyFinder(std::shared_ptr<const Layout> layout) : layout_(std::move(layout)) {}
  const std::optional<KeyPath>& Find(const std::u16string& word);

 private:
  std::shared_ptr<const Layout> layout_;
  std::unordered_map<std::u16string, std::optional<KeyPath>> found_;
};

}  // namespace lekhora::typist
