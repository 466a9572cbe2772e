// The key tables. Every row is one key; in the three base-built layouts an
// entry is either an offset from the script base (the Indic blocks are laid out
// in parallel, so one table serves every script) or a fixed code unit.

#include "engine/layout_tables.h"

#include <string_view>

#include "base/checked16.h"

namespace lekhora {

namespace {

struct BaseEntry {
  bool relative;
  std::uint16_t value;  // offset when relative, else the code unit itself
};

constexpr BaseEntry R(std::uint16_t offset) {
  return {true, offset};
}
constexpr BaseEntry A(std::uint16_t unit) {
  return {false, unit};
}

struct BaseRow {
  BaseEntry inscript, phonetic, vimra;
};

constexpr int kFirstBaseKey = 32;

// Keys 32..126: Inscript, Phonetic, Phonetic(Vimra).
constexpr BaseRow kBaseRows[] = {
    {A(0x0020), A(0x0020), A(0x0020)},  // 32 space
    {R(12), R(59), R(59)},              // 33 !
    {R(31), A(0x0022), A(0x0022)},      // 34 "
    {R(17), R(17), R(17)},              // 35 #
    {R(12), R(12), R(12)},              // 36 $
    {R(13), R(13), R(13)},              // 37 %
    {R(79), R(79), R(79)},              // 38 &
    {R(30), A(0x0027), A(0x0027)},      // 39 '
    {A(0x0028), A(0x0028), A(0x0028)},  // 40 (
    {A(0x0029), A(0x0029), A(0x0029)},  // 41 )
    {R(111), R(111), R(111)},           // 42 *
    {R(72), R(72), R(72)},              // 43 +
    {A(0x002C), A(0x002C), A(0x002C)},  // 44 ,
    {R(99), R(99), A(0x002D)},          // 45 -
    {R(99), R(99), R(99)},              // 46 .
    {R(46), R(72), R(56)},              // 47 /
    {R(101), R(101), R(101)},           // 48 0
    {R(102), R(102), R(102)},           // 49 1
    {R(103), R(103), R(103)},           // 50 2
    {R(104), R(104), R(104)},           // 51 3
    {R(105), R(105), R(105)},           // 52 4
    {R(106), R(106), R(106)},           // 53 5
    {R(107), R(107), R(107)},           // 54 6
    {R(108), R(108), R(108)},           // 55 7
    {R(109), R(109), R(109)},           // 56 8
    {R(110), R(110), R(110)},           // 57 9
    {R(26), R(2), R(2)},                // 58 :
    {R(25), A(0x003B), A(0x003B)},      // 59 ;
    {R(54), R(24), R(24)},              // 60 <
    {A(0x003D), A(0x003D), A(0x003D)},  // 61 =
    {R(99), R(68), R(68)},              // 62 >
    {R(94), A(0x003F), A(0x003F)},      // 63 ?
    {R(68), R(16), R(16)},              // 64 @
    {R(18), R(5), R(4)},                // 65 A
    {R(51), R(44), R(44)},              // 66 B
    {R(34), R(26), R(26)},              // 67 C
    {R(4), R(38), R(38)},               // 68 D
    {R(5), R(71), R(71)},               // 69 E
    {R(6), R(9), R(9)},                 // 70 F
    {R(8), R(23), R(23)},               // 71 G
    {R(42), R(4), R(76)},               // 72 H
    {R(23), R(63), R(63)},              // 73 I
    {R(48), R(28), R(28)},              // 74 J
    {R(21), R(21), R(21)},              // 75 K
    {R(36), R(69), R(69)},              // 76 L
    {R(53), R(1), R(1)},                // 77 M
    {R(50), R(34), R(34)},              // 78 N
    {R(38), R(18), R(75)},              // 79 O
    {R(28), R(42), R(42)},              // 80 P
    {R(19), R(31), R(31)},              // 81 Q
    {R(7), R(32), R(32)},               // 82 R
    {R(14), R(53), R(53)},              // 83 S
    {R(9), R(36), R(36)},               // 84 T
    {R(24), R(65), R(65)},              // 85 U
    {R(40), R(0), R(0)},                // 86 V
    {R(15), R(19), R(19)},              // 87 W
    {R(0), R(33), R(33)},               // 88 X
    {R(44), R(29), R(29)},              // 89 Y
    {R(13), R(54), R(54)},              // 90 Z
    {R(32), R(6), R(6)},                // 91 [
    {R(72), R(76), R(1)},               // 92 backslash
    {R(59), R(14), R(14)},              // 93 ]
    {R(10), R(10), R(10)},              // 94 ^
    {R(81), R(81), R(81)},              // 95 _
    {R(55), R(55), R(76)},              // 96 grave accent
    {R(74), R(61), R(61)},              // 97 a
    {R(52), R(43), R(43)},              // 98 b
    {R(45), R(25), R(25)},              // 99 c
    {R(76), R(37), R(37)},              // 100 d
    {R(61), R(70), R(70)},              // 101 e
    {R(62), R(8), R(8)},                // 102 f
    {R(64), R(22), R(22)},              // 103 g
    {R(41), R(56), R(56)},              // 104 h
    {R(22), R(62), R(62)},              // 105 i
    {R(47), R(27), R(27)},              // 106 j
    {R(20), R(20), R(20)},              // 107 k
    {R(35), R(49), R(49)},              // 108 l
    {R(55), R(45), R(45)},              // 109 m
    {R(49), R(39), R(39)},              // 110 n
    {R(37), R(74), R(74)},              // 111 o
    {R(27), R(41), R(41)},              // 112 p
    {R(75), R(30), R(30)},              // 113 q
    {R(63), R(47), R(47)},              // 114 r
    {R(70), R(55), R(55)},              // 115 s
    {R(65), R(35), R(35)},              // 116 t
    {R(56), R(64), R(64)},              // 117 u
    {R(39), R(52), R(52)},              // 118 v
    {R(71), R(75), R(18)},              // 119 w
    {R(1), R(32), R(32)},               // 120 x
    {R(43), R(46), R(46)},              // 121 y
    {R(69), R(90), R(90)},              // 122 z
    {R(33), R(7), R(7)},                // 123 {
    {R(16), R(60), R(60)},              // 124 vertical bar
    {R(29), R(15), R(15)},              // 125 }
    {R(55), R(17), R(17)},              // 126 ~
};
static_assert(std::size(kBaseRows) == 126 - kFirstBaseKey + 1);

constexpr int kFirstRemingtonKey = 32;

// Keys 32..128. Half forms and conjuncts are spelled consonant, virama, next
// consonant. An empty row is a key the layout never assigns.
constexpr std::u16string_view kRemingtonRows[] = {
    u"\u0020",                    // 32 space
    u"",                          // 33 !: never assigned
    u"\u0937\u0941",              // 34 "
    u"\u0930",                    // 35 #
    u"\u002B",                    // 36 $
    u"\u0903",                    // 37 %
    u"\u0022",                    // 38 &
    u"\u0936\u094D",              // 39 '
    u"\u003B",                    // 40 (
    u"\u0926\u094D\u0927",        // 41 )
    u"\u0954",                    // 42 *
    u"\u093C",                    // 43 +
    u"\u090F",                    // 44 ,
    u"\u090F",                    // 45 -
    u"\u0923\u094D",              // 46 .
    u"\u0927\u094D",              // 47 /
    u"\u0966",                    // 48 0
    u"\u0967",                    // 49 1
    u"\u0968",                    // 50 2
    u"\u0969",                    // 51 3
    u"\u096A",                    // 52 4
    u"\u096B",                    // 53 5
    u"\u096C",                    // 54 6
    u"\u096D",                    // 55 7
    u"\u096E",                    // 56 8
    u"\u096F",                    // 57 9
    u"\u0930\u0942",              // 58 :
    u"\u092F",                    // 59 ;
    u"\u0922",                    // 60 <
    u"\u0924\u094D\u0930\u094D",  // 61 =
    u"\u091D",                    // 62 >
    u"\u0918",                    // 63 ?
    u"\u002F",                    // 64 @
    u"\u0964",                    // 65 A
    u"\u0920",                    // 66 B
    u"\u092C\u094D",              // 67 C
    u"\u0915\u094D",              // 68 D
    u"\u092E\u094D",              // 69 E
    u"\u0925\u094D",              // 70 F
    u"\u0933",                    // 71 G
    u"\u092D\u094D",              // 72 H
    u"\u092A\u094D",              // 73 I
    u"\u0936\u094D\u0930",        // 74 J
    u"\u091C\u094D\u091E",        // 75 K
    u"\u0938\u094D",              // 76 L
    u"\u0921",                    // 77 M
    u"\u091B",                    // 78 N
    u"\u0935\u094D",              // 79 O
    u"\u091A\u094D",              // 80 P
    u"\u092B",                    // 81 Q
    u"\u0924\u094D",              // 82 R
    u"\u0948",                    // 83 S
    u"\u091C\u094D",              // 84 T
    u"\u0928\u094D",              // 85 U
    u"\u091F",                    // 86 V
    u"\u0945",                    // 87 W
    u"\u0917\u094D",              // 88 X
    u"\u0932\u094D",              // 89 Y
    u"\u0930\u094D",              // 90 Z
    u"\u0916\u094D",              // 91 [
    u"\u003F",                    // 92 backslash
    u"\u002C",                    // 93 ]
    u"\u002C",                    // 94 ^
    u"\u090B",                    // 95 _
    u"\u0943",                    // 96 grave accent
    u"\u0902",                    // 97 a
    u"\u0907",                    // 98 b
    u"\u092C",                    // 99 c
    u"\u0915",                    // 100 d
    u"\u092E",                    // 101 e
    u"\u093F",                    // 102 f
    u"\u0939",                    // 103 g
    u"\u0940",                    // 104 h
    u"\u092A",                    // 105 i
    u"\u0930",                    // 106 j
    u"\u093E",                    // 107 k
    u"\u0938",                    // 108 l
    u"\u0909",                    // 109 m
    u"\u0926",                    // 110 n
    u"\u0935",                    // 111 o
    u"\u091A",                    // 112 p
    u"\u0941",                    // 113 q
    u"\u0924",                    // 114 r
    u"\u0947",                    // 115 s
    u"\u091C",                    // 116 t
    u"\u0928",                    // 117 u
    u"\u0905",                    // 118 v
    u"\u0942",                    // 119 w
    u"\u0917",                    // 120 x
    u"\u0932",                    // 121 y
    u"\u0930",                    // 122 z
    u"\u0915\u094D\u0937\u094D",  // 123 {
    u"\u0918",                    // 124 vertical bar
    u"\u0926\u094D\u0935",        // 125 }
    u"\u0918",                    // 126 ~
    u"\u0918",                    // 127 (none)
    u"\u0918",                    // 128 (none)
};
static_assert(std::size(kRemingtonRows) == 128 - kFirstRemingtonKey + 1);

void BuildFromBase(LayoutTable& table, std::int16_t base, BaseEntry BaseRow::*column) {
  int code = kFirstBaseKey;
  for (const BaseRow& row : kBaseRows) {
    const BaseEntry entry = row.*column;
    char16_t unit = static_cast<char16_t>(entry.value);
    // Code points are 16-bit signed; checking before the store leaves the
    // failing key and every later one as they were.
    if (entry.relative) unit = static_cast<char16_t>(CheckedAdd16(base, entry.value));
    table[code].assign(1, unit);
    ++code;
  }
}

}  // namespace

void BuildInscriptTable(LayoutTable& table, std::int16_t base) {
  BuildFromBase(table, base, &BaseRow::inscript);
}

void BuildPhoneticTable(LayoutTable& table, std::int16_t base) {
  BuildFromBase(table, base, &BaseRow::phonetic);
}

void BuildPhoneticVimraTable(LayoutTable& table, std::int16_t base) {
  BuildFromBase(table, base, &BaseRow::vimra);
}

void BuildRemingtonTable(LayoutTable& table) {
  int code = kFirstRemingtonKey;
  for (std::u16string_view row : kRemingtonRows) {
    if (!row.empty()) table[code].assign(row);
    ++code;
  }
}

}  // namespace lekhora
