// The table layouts, and the rules that make one Phonetic(Vimra) key depend
// on the key before it.

#include "engine/layout.h"

#include <array>

#include "engine/layout_tables.h"

namespace lekhora {

namespace {

constexpr std::array<std::u16string_view, 4> kLayoutNames = {kPhoneticVimraLayout, kPhoneticLayout,
                                                             kInscriptLayout, kRemingtonLayout};

// "Romanized" has no script of its own yet; it gives the Bengali letters.
constexpr std::array<OutputScript, 10> kOutputScripts = {{
    {u"Bangla", 0x0981},
    {u"Romanized", 0x0981},
    {u"Gurumukhi", 0x0A01},
    {u"Gujarati", 0x0A81},
    {u"Hindi", 0x0901},
    {u"Kannad", 0x0C81},
    {u"Oriya", 0x0B01},
    {u"Tamil", 0x0B81},
    {u"Telugu", 0x0C01},
    {u"Malayalam", 0x0D01},
}};

// A key types its table entry, whatever came before.
class TableLayout : public Layout {
 public:
  explicit TableLayout(std::u16string_view name) : Layout(std::u16string(name)) {}

  std::u16string_view Caption(int code) const override {
    if (code < 0 || code > kLastKey) return {};
    return table_[static_cast<std::size_t>(code)];
  }
  KeyOutput Compose(char16_t key, const KeyContext&) const override { return {table_[key]}; }

  LayoutTable& Table() { return table_; }

 protected:
  const std::u16string& Entry(char16_t key) const { return table_[key]; }

 private:
  LayoutTable table_;
};

bool OneOf(std::int32_t key, std::u16string_view keys) {
  return key > 0 && key < 0x80 &&
         keys.find(static_cast<char16_t>(key)) != std::u16string_view::npos;
}

// The independent vowel of a vowel key (or a doubled one) after "A"; empty
// for anything else. Absolute Devanagari: the Vimra table is never built at
// another base. The vowels are views of static storage, so an output can
// point at them.
std::u16string_view IndependentVowel(std::u16string_view keys) {
  struct Vowel {
    std::u16string_view keys;
    std::u16string_view vowel;
  };
  static constexpr Vowel kVowels[] = {
      {u"a", u"\u0906"}, {u"i", u"\u0907"},  {u"I", u"\u0908"},  {u"ii", u"\u0908"},
      {u"u", u"\u0909"}, {u"U", u"\u090A"},  {u"uu", u"\u090A"}, {u"e", u"\u090F"},
      {u"E", u"\u0910"}, {u"ee", u"\u0910"}, {u"ai", u"\u0910"}, {u"o", u"\u0913"},
      {u"O", u"\u0914"}, {u"oo", u"\u0914"}, {u"au", u"\u0914"},
  };
  for (const Vowel& v : kVowels) {
    if (v.keys == keys) return v.vowel;
  }
  return {};
}

class VimraLayout final : public TableLayout {
 public:
  VimraLayout() : TableLayout(kPhoneticVimraLayout) {}
  KeyOutput Compose(char16_t key, const KeyContext& context) const override;
};

KeyOutput VimraLayout::Compose(char16_t key, const KeyContext& context) const {
  KeyOutput c;
  if (context.ctrl && (key == u'd' || key == u'D')) {
    c.swallowed = true;
    return c;
  }
  const std::int32_t last = context.lastKey;
  c.text = Entry(key);
  // Every rule below needs the key before to be "A", "a" or this same key, or
  // this key to be "h": most keys are a plain lookup.
  if (last != u'A' && last != u'a' && last != key && key != u'h') return c;

  auto fire = [&c](std::u16string_view output) {
    c.text = output;
    c.replacePrevious = true;
  };
  auto fireVowel = [&fire](std::u16string_view vowel) {
    if (!vowel.empty()) fire(vowel);
  };
  // R2 and R3 lengthen the vowel sign before the caret. Where an independent
  // vowel stands instead ("A" "a" "i", "A" "i" "i" "i") a sign would replace
  // it and leave no vowel: the independent form of the same keys is written.
  const char16_t previous = context.before;
  const bool afterVowel = previous >= 0x0904 && previous <= 0x0914;
  auto fireSign = [&](char16_t signKey, std::u16string_view keys) {
    if (afterVowel) {
      fireVowel(IndependentVowel(keys));
    } else {
      fire(Entry(signKey));
    }
  };
  const char16_t doubled[] = {key, key};
  const std::u16string_view doubledKeys(doubled, 2);

  if (last == u'A' && OneOf(key, u"aiIeEuUoO")) {
    fireVowel(IndependentVowel(std::u16string_view(&key, 1)));
    c.vowelOnA = true;
  } else if (last == u'a' && key == u'i') {
    fireSign(u'E', u"ai");
  } else if (last == u'a' && key == u'u') {
    fireSign(u'O', u"au");
  } else if (last == key && context.vowelOnA) {
    // A doubled key with no longer vowel ("aa", "II", ...) stays a plain
    // lookup rather than wiping the vowel just typed.
    fireVowel(IndependentVowel(doubledKeys));
  } else if (last == key && key == u'u') {
    fireSign(u'U', doubledKeys);
  } else if (last == key && key == u'e') {
    fireSign(u'E', doubledKeys);
  } else if (last == key && key == u'i') {
    fireSign(u'I', doubledKeys);
  } else if (last == key && key == u'o') {
    fireSign(u'O', doubledKeys);
  } else if (key == u'h' && OneOf(last, u"kgcjtdpbqsx")) {
    fire(Entry(static_cast<char16_t>(last - u'a' + u'A')));
  }
  return c;
}

}  // namespace

std::u16string addMatraToA(std::u16string_view keys) {
  return std::u16string(IndependentVowel(keys));
}

std::span<const std::u16string_view> LayoutNames() {
  return kLayoutNames;
}

std::span<const OutputScript> OutputScripts() {
  return kOutputScripts;
}

std::shared_ptr<const Layout> MakeLayout(std::u16string_view name, std::u16string_view script) {
  std::int16_t base = kDevanagariBase;
  if (!script.empty()) {
    const OutputScript* chosen = nullptr;
    for (const OutputScript& candidate : kOutputScripts)
      if (candidate.name == script) chosen = &candidate;
    if (chosen == nullptr) return nullptr;
    name = kPhoneticLayout;
    base = chosen->base;
  }
  if (name == kPhoneticVimraLayout) {
    auto layout = std::make_shared<VimraLayout>();
    BuildPhoneticVimraTable(layout->Table(), kDevanagariBase);
    return layout;
  }
  auto layout = std::make_shared<TableLayout>(name);
  if (name == kPhoneticLayout) {
    BuildPhoneticTable(layout->Table(), base);
  } else if (name == kInscriptLayout) {
    BuildInscriptTable(layout->Table(), base);
  } else if (name == kRemingtonLayout) {
    BuildRemingtonTable(layout->Table());
  } else if (name == kIntelligentRomanLayout) {
    // Its letters are composed into words before any reaches the text; the
    // table only says what each key puts in the box while it composes (and
    // what the on-screen keyboard shows): the key's own character.
    for (char16_t key = 32; key < 127; ++key) layout->Table()[key] = std::u16string(1, key);
  } else {
    return nullptr;
  }
  return layout;
}

std::shared_ptr<const Layout> MakeEmptyLayout(std::u16string_view name) {
  return std::make_shared<TableLayout>(name);
}

}  // namespace lekhora
