// The tables checked by what is known about them as a whole (which keys are
// set, which follow the base, which share an entry) rather than entry by entry.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "base/error.h"
#include "engine/layout.h"
#include "engine/layout_tables.h"

namespace lekhora {
namespace {

constexpr std::int16_t kBengaliBase = 0x0981;

// Tables of this test's own, built with the layouts' builders.
LayoutTable InscriptTable;
LayoutTable PhoneticTable;
LayoutTable PhoneticVimraTable;
LayoutTable RemingtonTable;

void BuildInscript(std::int16_t base) {
  BuildInscriptTable(InscriptTable, base);
}
void BuildPhonetic(std::int16_t base) {
  BuildPhoneticTable(PhoneticTable, base);
}
void BuildPhoneticVimra(std::int16_t base) {
  BuildPhoneticVimraTable(PhoneticVimraTable, base);
}
void BuildAll() {
  BuildInscript(kDevanagariBase);
  BuildPhonetic(kDevanagariBase);
  BuildPhoneticVimra(kDevanagariBase);
  BuildRemingtonTable(RemingtonTable);
}

enum class Kind { kEmpty, kRelative, kAbsolute };

struct Census {
  std::map<int, Kind> kinds;
  int relative = 0;
  int absolute = 0;
  std::set<int> assigned;
};

// An entry that moves with the base is base-relative; one that does not is absolute.
template <typename Build>
Census Classify(LayoutTable& table, Build build) {
  build(kDevanagariBase);
  const LayoutTable devanagari = table;
  build(kBengaliBase);
  const LayoutTable bengali = table;
  build(kDevanagariBase);
  Census census;
  for (int code = 0; code < kLayoutTableSize; ++code) {
    if (devanagari[code].empty()) {
      EXPECT_TRUE(bengali[code].empty()) << code;
      continue;
    }
    census.assigned.insert(code);
    EXPECT_EQ(devanagari[code].size(), 1u) << code;
    if (bengali[code] == devanagari[code]) {
      ++census.absolute;
      census.kinds[code] = Kind::kAbsolute;
    } else {
      EXPECT_EQ(bengali[code][0] - devanagari[code][0], kBengaliBase - kDevanagariBase) << code;
      ++census.relative;
      census.kinds[code] = Kind::kRelative;
    }
  }
  return census;
}

std::set<int> Range(int first, int last) {
  std::set<int> codes;
  for (int code = first; code <= last; ++code) codes.insert(code);
  return codes;
}

std::set<int> Codes(std::u16string_view keys) {
  return {keys.begin(), keys.end()};
}

std::set<int> AbsoluteKeys(const Census& census) {
  std::set<int> keys;
  for (auto [code, kind] : census.kinds)
    if (kind == Kind::kAbsolute) keys.insert(code);
  return keys;
}

// Sets of keys that type the same entry (only sets of two or more).
std::set<std::set<int>> SharedEntries(const LayoutTable& table) {
  std::map<std::u16string, std::set<int>> byEntry;
  for (int code = 0; code < kLayoutTableSize; ++code)
    if (!table[code].empty()) byEntry[table[code]].insert(code);
  std::set<std::set<int>> shared;
  for (const auto& [entry, codes] : byEntry)
    if (codes.size() > 1) shared.insert(codes);
  return shared;
}

TEST(LayoutTables, BaseBuiltTablesSetKeys32To126WithTheirKindsOfEntry) {
  const Census inscript = Classify(InscriptTable, BuildInscript);
  const Census phonetic = Classify(PhoneticTable, BuildPhonetic);
  const Census vimra = Classify(PhoneticVimraTable, BuildPhoneticVimra);
  for (const Census* c : {&inscript, &phonetic, &vimra}) EXPECT_EQ(c->assigned, Range(32, 126));
  EXPECT_EQ(inscript.relative, 90);
  EXPECT_EQ(inscript.absolute, 5);
  EXPECT_EQ(phonetic.relative, 86);
  EXPECT_EQ(phonetic.absolute, 9);
  EXPECT_EQ(vimra.relative, 85);
  EXPECT_EQ(vimra.absolute, 10);

  // Absolute entries there are the keys' own characters.
  EXPECT_EQ(AbsoluteKeys(inscript), Codes(u" (),="));
  EXPECT_EQ(AbsoluteKeys(phonetic), Codes(u" \"'(),;=?"));
  EXPECT_EQ(AbsoluteKeys(vimra), Codes(u" \"'(),;=?-"));
  for (const LayoutTable* table : {&InscriptTable, &PhoneticTable, &PhoneticVimraTable}) {
    for (int code : AbsoluteKeys(vimra)) {
      if ((*table)[code].size() == 1 && (*table)[code][0] < 0x80) {
        EXPECT_EQ((*table)[code][0], code);
      }
    }
  }
}

TEST(LayoutTables, KeysThatShareAnEntry) {
  BuildAll();
  EXPECT_EQ(SharedEntries(InscriptTable),
            (std::set<std::set<int>>{Codes(u"!$"), Codes(u"%Z"), Codes(u"+\\"), Codes(u"-.>"),
                                     Codes(u"`m~")}));
  EXPECT_EQ(SharedEntries(PhoneticTable),
            (std::set<std::set<int>>{Codes(u"#~"), Codes(u"+/"), Codes(u"-."), Codes(u"Rx"),
                                     Codes(u"`s")}));
  EXPECT_EQ(SharedEntries(PhoneticVimraTable),
            (std::set<std::set<int>>{Codes(u"#~"), Codes(u"/h"), Codes(u"H`"), Codes(u"M\\"),
                                     Codes(u"Rx")}));
  std::set<int> remingtonGhas = Codes(u"?|~");
  remingtonGhas.insert({127, 128});
  EXPECT_EQ(SharedEntries(RemingtonTable),
            (std::set<std::set<int>>{Codes(u"#jz"), Codes(u",-"), Codes(u"]^"), remingtonGhas}));
  EXPECT_EQ(InscriptTable['-'], std::u16string(1, 0x0964));
}

TEST(LayoutTables, ThePhoneticTablesDifferInEightKeys) {
  BuildAll();
  std::set<int> differing;
  for (int code = 0; code < kLayoutTableSize; ++code)
    if (PhoneticTable[code] != PhoneticVimraTable[code]) differing.insert(code);
  EXPECT_EQ(differing, Codes(u"-/AHO\\`w"));
}

TEST(LayoutTables, RemingtonHoldsFixedTextWithConjuncts) {
  BuildAll();
  std::set<int> assigned;
  std::set<int> multiUnit;
  for (int code = 0; code < kLayoutTableSize; ++code) {
    if (!RemingtonTable[code].empty()) assigned.insert(code);
    if (RemingtonTable[code].size() > 1) multiUnit.insert(code);
    EXPECT_LE(RemingtonTable[code].size(), 4u) << code;
  }
  std::set<int> expected = Range(34, 128);
  expected.insert(32);
  EXPECT_EQ(assigned, expected);
  EXPECT_EQ(multiUnit, Codes(u"\"')./:=CDEFHIJKLOPRTUXYZ[{}"));
  EXPECT_EQ(RemingtonTable[127], std::u16string(1, 0x0918));
  EXPECT_EQ(RemingtonTable[128], std::u16string(1, 0x0918));
  // ASCII entries that are not the key's own character.
  const std::map<char16_t, char16_t> foreign = {{u'$', u'+'}, {u'&', u'"'},  {u'(', u';'},
                                                {u'@', u'/'}, {u'\\', u'?'}, {u']', u','},
                                                {u'^', u','}};
  for (int code : assigned) {
    const std::u16string& entry = RemingtonTable[code];
    if (entry.size() != 1 || entry[0] >= 0x80) continue;
    auto it = foreign.find(static_cast<char16_t>(code));
    EXPECT_EQ(entry[0], it == foreign.end() ? code : it->second) << code;
  }
  EXPECT_EQ(RemingtonTable['{'], (std::u16string{0x0915, 0x094D, 0x0937, 0x094D}));
}

TEST(LayoutTables, EveryTableTypesASpaceAndNothingForControlCodes) {
  BuildAll();
  for (const LayoutTable* table :
       {&InscriptTable, &PhoneticTable, &PhoneticVimraTable, &RemingtonTable}) {
    EXPECT_EQ((*table)[32], u" ");
    for (int code = 0; code < 32; ++code) EXPECT_TRUE((*table)[code].empty()) << code;
  }
}

TEST(LayoutTables, BengaliRebuildAndBackAgain) {
  BuildPhonetic(kDevanagariBase);
  const LayoutTable devanagari = PhoneticTable;
  BuildPhonetic(kBengaliBase);
  EXPECT_EQ(PhoneticTable['k'], std::u16string(1, 0x0995));
  EXPECT_EQ(PhoneticTable['0'], std::u16string(1, 0x09E6));
  for (char16_t digit = u'1'; digit <= u'9'; ++digit)
    EXPECT_EQ(PhoneticTable[digit], std::u16string(1, 0x09E7 + (digit - u'1')));
  // Unassigned code points are stored as they fall.
  EXPECT_EQ(PhoneticTable['-'], std::u16string(1, 0x09E4));
  for (char16_t key : std::u16string_view(u" \"'(),;=?"))
    EXPECT_EQ(PhoneticTable[key], devanagari[key]);
  BuildPhonetic(kDevanagariBase);
  EXPECT_EQ(PhoneticTable, devanagari);
}

template <typename Build>
int OverflowStop(LayoutTable& table, Build build, std::int16_t highBase) {
  build(kDevanagariBase);
  const LayoutTable before = table;
  int number = 0;
  try {
    build(highBase);
  } catch (const Error& e) {
    number = e.number();
  }
  EXPECT_EQ(number, kOverflow);
  // The first key still holding its Devanagari entry is where the build stopped.
  for (int code = 33; code <= 126; ++code) {
    if (table[code] == before[code]) {
      for (int later = code; later <= 126; ++later) EXPECT_EQ(table[later], before[later]) << later;
      return code;
    }
  }
  return -1;
}

TEST(LayoutTables, OverflowStopsTheBuildAtTheFailingKey) {
  // 32767 - 31: "\"" (+31) just fits, "&" (+79) is the first that does not.
  const std::int16_t base = 32767 - 31;
  EXPECT_EQ(OverflowStop(InscriptTable, BuildInscript, base), '&');
  EXPECT_EQ(InscriptTable['"'], std::u16string(1, 0x7FFF));
  EXPECT_EQ(InscriptTable['!'], std::u16string(1, static_cast<char16_t>(base + 12)));
  // "!" (+59) is the first relative key of both phonetic tables.
  EXPECT_EQ(OverflowStop(PhoneticTable, BuildPhonetic, 32767 - 58), '!');
  EXPECT_EQ(OverflowStop(PhoneticVimraTable, BuildPhoneticVimra, 32767 - 58), '!');
  BuildPhoneticVimra(kDevanagariBase);
}

TEST(Layouts, AreValuesOfTheirOwn) {
  // Two layouts of one name at two bases live side by side; each answers
  // for itself and for no other.
  const std::shared_ptr<const Layout> hindi = MakeLayout(kPhoneticLayout);
  const std::shared_ptr<const Layout> bangla = MakeLayout(kPhoneticLayout, u"Bangla");
  ASSERT_TRUE(hindi && bangla);
  EXPECT_EQ(bangla->Name(), kPhoneticLayout);
  EXPECT_EQ(hindi->Caption('k'), u"\u0915");
  EXPECT_EQ(bangla->Caption('k'), u"\u0995");
  EXPECT_EQ(hindi->Compose(u'k', {}).text, u"\u0915");
  // Captions are the table's entries, empty outside the keys a layout has.
  const std::shared_ptr<const Layout> remington = MakeLayout(kRemingtonLayout);
  BuildAll();
  for (int code = 0; code <= Layout::kLastKey; ++code)
    EXPECT_EQ(remington->Caption(code), RemingtonTable[code]) << code;
  for (int code : {-1, 129, 0x0915}) EXPECT_TRUE(remington->Caption(code).empty()) << code;
  // A name no layout has types nothing.
  EXPECT_TRUE(MakeEmptyLayout(u"phonetic")->Compose(u'k', {}).text.empty());
}

}  // namespace
}  // namespace lekhora
