#include "tools/typist/key_finder.h"

#include <deque>
#include <string>
#include <unordered_set>
#include <utility>

#include "engine/key_replay.h"
#include "engine/memory_text_box.h"
#include "engine/typing_engine.h"
#include "suggest/canonical_fold.h"

namespace lekhora::typist {

namespace {

// The keys a word is typed with: printable ASCII less the digits, which pick
// candidates in the input method. "!" gives the nukta although it ends the
// word being typed.
std::u16string WordKeys() {
  std::u16string keys;
  for (char16_t unit = u'!'; unit <= u'~'; ++unit)
    if (unit < u'0' || unit > u'9') keys += unit;
  return keys;
}

struct Node {
  TypingState state;
  // What the keys typed, and that as the word list spells it.
  std::u16string typed;
  std::u16string text;
  std::u16string keys;
  std::vector<std::u16string> outputs;
  // The text's last unit is not yet the word's.
  bool pending = false;
};

// Two nodes that the layout cannot tell apart lead to the same words.
std::u16string Signature(const Node& node) {
  std::u16string signature = node.text;
  signature += u'\0';
  signature += static_cast<char16_t>(node.state.LastKey & 0xFFFF);
  signature += node.state.VowelOnA ? u'1' : u'0';
  return signature;
}

}  // namespace

std::optional<KeyPath> FewestKeys(std::shared_ptr<const Layout> layout, std::u16string_view word) {
  if (word.empty() || !layout) return std::nullopt;
  static const std::u16string kKeys = WordKeys();
  // Keys that type nothing (a composing key waiting for the next) still
  // count, so the bound leaves room for one such key per unit and more.
  const std::size_t maxKeys = 3 * word.size() + 4;
  NoSuggestions none;
  std::u16string text;
  std::deque<Node> queue;
  queue.push_back({});
  std::unordered_set<std::u16string> seen{Signature(queue.front())};
  while (!queue.empty()) {
    Node node = std::move(queue.front());
    queue.pop_front();
    if (node.keys.size() >= maxKeys) continue;
    for (char16_t key : kKeys) {
      MemoryTextBox box(node.typed);
      TypingEngine engine(box, none, layout);
      engine.State() = node.state;
      TypeKey(engine, box, key);
      // Compared as the word list spells it: some layouts type nukta letters
      // precomposed, which normal form C never holds.
      FoldCanonical(box.View(), text);
      if (text.size() > word.size()) continue;
      const bool prefix = word.compare(0, text.size(), text) == 0;
      // A key may give a letter that the next one replaces (अ, then a vowel
      // key that makes it आ): one such letter past the prefix is followed,
      // from a node that is a prefix itself.
      if (!prefix && (node.pending || text.empty() ||
                      word.compare(0, text.size() - 1, text, 0, text.size() - 1) != 0))
        continue;
      Node next{engine.State(), box.View(), text, node.keys + key, node.outputs, !prefix};
      next.outputs.push_back(text);
      if (text == word) return KeyPath{std::move(next.keys), std::move(next.outputs)};
      if (seen.insert(Signature(next)).second) queue.push_back(std::move(next));
    }
  }
  return std::nullopt;
}

const std::optional<KeyPath>& KeyFinder::Find(const std::u16string& word) {
  auto it = found_.find(word);
  if (it == found_.end()) it = found_.emplace(word, FewestKeys(layout_, word)).first;
  return it->second;
}

}  // namespace lekhora::typist
