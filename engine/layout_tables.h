#pragma once
// The four keyboard layouts: what each typed key code types.

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

extern LayoutTable PhoneticVimraTable;
extern LayoutTable PhoneticTable;
extern LayoutTable InscriptTable;
extern LayoutTable RemingtonTable;

/// Each builder rewrites keys 32..126 in ascending order, base-relative entries
/// as base + offset. A sum beyond 16 bits throws OverflowError at that key:
/// the keys before it keep their new entries, the rest their old ones.
void BuildInscriptTable(std::int16_t base);
void BuildPhoneticTable(std::int16_t base);
void BuildPhoneticVimraTable(std::int16_t base);
/// Fixed code points only, keys 32 and 34..128.
void BuildRemingtonTable();
/// The same, into a table of the caller's rather than the process-wide one.
void BuildInscriptTableInto(LayoutTable& table, std::int16_t base);
void BuildPhoneticTableInto(LayoutTable& table, std::int16_t base);
void BuildPhoneticVimraTableInto(LayoutTable& table, std::int16_t base);
void BuildRemingtonTableInto(LayoutTable& table);

/// Entry at code of table; throws SubscriptError outside 0..128.
const std::u16string& TableEntry(const LayoutTable& table, int code);

}  // namespace lekhora
