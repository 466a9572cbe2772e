#pragma once
// The key codes the handlers test: character codes as a typed key gives them,
// virtual key codes as a key going down or up gives them, and the modifier
// mask.

#include <cstdint>

namespace lekhora {

/// Character codes of the control keys.
inline constexpr std::int16_t kCharBackspace = 8;
inline constexpr std::int16_t kCharTab = 9;
inline constexpr std::int16_t kCharEnter = 13;
inline constexpr std::int16_t kCharEscape = 27;
inline constexpr std::int16_t kCharSpace = 32;

/// Virtual key codes.
inline constexpr std::int16_t kVkBack = 8;
inline constexpr std::int16_t kVkShift = 16;
inline constexpr std::int16_t kVkControl = 17;
inline constexpr std::int16_t kVkCapital = 20;
inline constexpr std::int16_t kVkSpace = 32;
inline constexpr std::int16_t kVkUp = 38;
inline constexpr std::int16_t kVkRight = 39;
inline constexpr std::int16_t kVkDown = 40;

/// Modifier bits.
inline constexpr std::int16_t kShiftBit = 1;
inline constexpr std::int16_t kCtrlBit = 2;
inline constexpr std::int16_t kAltBit = 4;

}  // namespace lekhora
