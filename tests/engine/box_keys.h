#pragma once
// Keys the typing box handles itself (arrows, Home, End, Delete, select all,
// Backspace held down), raised through the engine as the box raises them: the
// key goes down, the box acts unless the engine consumed it, the key comes up.

#include <cstdint>

#include "engine/memory_text_box.h"
#include "engine/typing_engine.h"

namespace lekhora::testing {

enum class BoxKey {
  kLeft,
  kRight,
  kHome,
  kEnd,
  kDelete,
  kSelectAll,
  kShiftRight,
  kShiftUp,
  kShiftDown
};

namespace box_keys_detail {

struct Stroke {
  std::int16_t code;
  std::int16_t shift;
};

// The virtual key and modifiers of each BoxKey, in the enum's order.
inline constexpr Stroke kStrokes[] = {
    {37, 0},
    {kVkRight, 0},
    {36, 0},
    {35, 0},
    {46, 0},
    {'A', kCtrlBit},
    {kVkRight, kShiftBit},
    {kVkUp, kShiftBit},
    {kVkDown, kShiftBit},
};

// The box's own handling: the selection collapses towards the arrow, Home
// and End keep to the line, Shift+Right extends the selection by a unit.
inline void Act(MemoryTextBox& box, BoxKey key) {
  const int start = box.SelStart();
  const int end = start + box.SelLength();
  switch (key) {
    case BoxKey::kLeft:
      box.SetSelStart(box.SelLength() > 0 || start == 0 ? start : start - 1);
      return;
    case BoxKey::kRight:
      box.SetSelStart(box.SelLength() > 0 ? end : start + 1);
      return;
    case BoxKey::kHome: {
      int at = start;
      while (at > 0 && box.View()[static_cast<std::size_t>(at - 1)] != u'\n') --at;
      box.SetSelStart(at);
      return;
    }
    case BoxKey::kEnd: {
      int at = end;
      while (at < static_cast<int>(box.View().size()) &&
             box.View()[static_cast<std::size_t>(at)] != u'\n')
        ++at;
      box.SetSelStart(at);
      return;
    }
    case BoxKey::kDelete:
      if (box.SelLength() == 0) box.SetSelLength(1);
      box.SetSelText({});
      return;
    case BoxKey::kSelectAll:
      box.SetSelStart(0);
      box.SetSelLength(static_cast<int>(box.View().size()));
      return;
    case BoxKey::kShiftRight:
      box.SetSelLength(box.SelLength() + 1);
      return;
    case BoxKey::kShiftUp:
    case BoxKey::kShiftDown:
      return;  // a line's worth of selection; the handlers swallow them
  }
}

}  // namespace box_keys_detail

inline void PressBoxKey(TypingEngine& engine, MemoryTextBox& box, BoxKey key) {
  const box_keys_detail::Stroke stroke = box_keys_detail::kStrokes[static_cast<int>(key)];
  // Ctrl+A types its control character.
  const char16_t typed = key == BoxKey::kSelectAll ? 1 : 0;
  if (!engine.Key(KeyPressed(stroke.code, typed, stroke.shift)).consumed)
    box_keys_detail::Act(box, key);
  engine.Key(KeyReleased(stroke.code, stroke.shift));
}

/// Backspace held down: it repeats, going down and typing each time, and
/// comes up once.
inline void HoldBackspace(TypingEngine& engine, MemoryTextBox& box, int repeats) {
  for (int i = 0; i < repeats; ++i) {
    if (!engine.Key(KeyPressed(kVkBack, 8, 0)).consumed) box.DefaultKey(8);
  }
  engine.Key(KeyReleased(kVkBack, 0));
}

}  // namespace lekhora::testing
