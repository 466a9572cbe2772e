// The rules that make one Phonetic(Vimra) key depend on the key before it.

#include <string_view>

#include "engine/layout_tables.h"
#include "engine/typing_engine.h"

namespace lekhora {

namespace {

bool OneOf(std::int32_t key, std::u16string_view keys) {
  return key > 0 && key < 0x80 &&
         keys.find(static_cast<char16_t>(key)) != std::u16string_view::npos;
}

// addMatraToA's vowel as one code unit, or 0: the composition asks on every
// "A" + vowel and doubled key, and a code unit needs no string built for it.
char16_t IndependentVowel(std::u16string_view keys) {
  struct Vowel {
    std::u16string_view keys;
    char16_t vowel;
  };
  // Absolute Devanagari: the Vimra table is never built at another base.
  static constexpr Vowel kVowels[] = {
      {u"a", 0x0906},  {u"i", 0x0907},  {u"I", 0x0908}, {u"ii", 0x0908}, {u"u", 0x0909},
      {u"U", 0x090A},  {u"uu", 0x090A}, {u"e", 0x090F}, {u"E", 0x0910},  {u"ee", 0x0910},
      {u"ai", 0x0910}, {u"o", 0x0913},  {u"O", 0x0914}, {u"oo", 0x0914}, {u"au", 0x0914},
  };
  for (const Vowel& v : kVowels) {
    if (v.keys == keys) return v.vowel;
  }
  return 0;
}

}  // namespace

std::u16string addMatraToA(std::u16string_view keys) {
  const char16_t vowel = IndependentVowel(keys);
  return vowel != 0 ? std::u16string(1, vowel) : std::u16string();
}

void TypingEngine::ComposeVimra(std::int16_t& KeyAscii, Composed& c, const LayoutTable& vimra) {
  if (state_.CtrlDown && (KeyAscii == u'd' || KeyAscii == u'D')) KeyAscii = 0;
  const std::int16_t key = KeyAscii;
  const std::int32_t last = state_.LastKey;
  const bool vowelOnA = state_.VowelOnA;
  // Holds for the one key after the "A" + vowel; every key consumes it.
  state_.VowelOnA = false;

  c.output = vimra[key];
  // Every rule below needs the key before to be "A", "a" or this same key, or
  // this key to be "h": most keys are a plain lookup.
  if (last != u'A' && last != u'a' && last != key && key != u'h') return;

  auto fire = [&c](std::u16string_view output) {
    c.output = output;
    c.replacePrevious = true;
  };
  // The vowel lives in c, where the output can point at it.
  auto fireVowel = [&c, &fire](char16_t vowel) {
    if (vowel == 0) return;
    c.vowel = vowel;
    fire(std::u16string_view(&c.vowel, 1));
  };
  const auto keyUnit = static_cast<char16_t>(key);
  // R2 and R3 lengthen the vowel sign before the caret. Where an independent
  // vowel stands instead ("A" "a" "i", "A" "i" "i" "i") a sign would replace
  // it and leave no vowel: the independent form of the same keys is written.
  const char16_t previous = state_.Mark.Before;
  const bool afterVowel = previous >= 0x0904 && previous <= 0x0914;
  auto fireSign = [&](char16_t signKey, std::u16string_view keys) {
    if (afterVowel) {
      fireVowel(IndependentVowel(keys));
    } else {
      fire(vimra[signKey]);
    }
  };
  const char16_t doubled[] = {keyUnit, keyUnit};
  const std::u16string_view doubledKeys(doubled, 2);

  if (last == u'A' && OneOf(key, u"aiIeEuUoO")) {
    fireVowel(IndependentVowel(std::u16string_view(&keyUnit, 1)));
    state_.VowelOnA = true;
  } else if (last == u'a' && key == u'i') {
    fireSign(u'E', u"ai");
  } else if (last == u'a' && key == u'u') {
    fireSign(u'O', u"au");
  } else if (last == key && vowelOnA) {
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
    fire(vimra[static_cast<char16_t>(last - u'a' + u'A')]);
  }
}

}  // namespace lekhora
