#pragma once
// The four table layouts: what each typed key code types.

#include <array>
#include <cstdint>
#include <string>

namespace lekhora {

/// Indexed by the character code of a typed key, 0 to 128; an entry is the
/// text that key types (empty when the layout leaves the key alone).
using LayoutTable = std::array<std::u16string, 129>;

inline constexpr int kLayoutTableSize = 129;
/// The base every table is built at unless an output script says otherwise.
inline constexpr std::int16_t kDevanagariBase = 0x0901;

/// Each builder rewrites keys 32..126 of table in ascending order,
/// base-relative entries as base + offset. A sum beyond 16 bits throws
/// OverflowError at that key: the keys before it keep their new entries, the
/// rest their old ones.
void BuildInscriptTable(LayoutTable& table, std::int16_t base);
void BuildPhoneticTable(LayoutTable& table, std::int16_t base);
void BuildPhoneticVimraTable(LayoutTable& table, std::int16_t base);
/// Fixed code points only, keys 32 and 34..128.
void BuildRemingtonTable(LayoutTable& table);

}  // namespace lekhora
