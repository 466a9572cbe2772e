#include "engine/layout_choice.h"

#include <array>
#include <utility>

#include "base/error.h"
#include "engine/layout_tables.h"

namespace lekhora {

std::u16string CurrentLayout;

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

CaptionSink& Sink() {
  static CaptionSink sink;
  return sink;
}

// A caption the keyboard cannot take is skipped; the other keys still repaint.
void PaintCaptions(const LayoutTable& table, int first, int last) {
  CaptionSink& sink = Sink();
  if (!sink) return;
  for (int code = first; code <= last; ++code) {
    try {
      sink(code, table[code]);
    } catch (const Error&) {
    }
  }
}

}  // namespace

std::span<const std::u16string_view> LayoutNames() {
  return kLayoutNames;
}

void SetCaptionSink(CaptionSink sink) {
  Sink() = std::move(sink);
}

void LoadLayouts() {
  BuildRemingtonTable();
  BuildPhoneticVimraTable(kDevanagariBase);
  CurrentLayout = kPhoneticVimraLayout;
  SetLayout(CurrentLayout);
}

void SetLayout(std::u16string_view name) {
  CurrentLayout = name;
  const LayoutTable* source = nullptr;
  if (name == kRemingtonLayout) {
    source = &RemingtonTable;
  } else if (name == kPhoneticLayout) {
    // Drops any script base chosen earlier.
    SkipOnError([] { BuildPhoneticTable(kDevanagariBase); });
    source = &PhoneticTable;
  } else if (name == kPhoneticVimraLayout) {
    source = &PhoneticVimraTable;
  } else if (name == kInscriptLayout) {
    SkipOnError([] { BuildInscriptTable(kDevanagariBase); });
    source = &InscriptTable;
  } else {
    return;
  }
  PaintCaptions(*source, 32, 127);
}

std::span<const OutputScript> OutputScripts() {
  return kOutputScripts;
}

bool ChooseOutputScript(std::u16string_view item) {
  const OutputScript* script = nullptr;
  for (const OutputScript& candidate : kOutputScripts) {
    if (candidate.name == item) {
      script = &candidate;
      break;
    }
  }
  if (script == nullptr) return false;

  // Not through SetLayout: that would build at the Devanagari base first.
  const bool madeCurrent = CurrentLayout != kPhoneticLayout;
  if (madeCurrent) CurrentLayout = kPhoneticLayout;
  const std::int16_t base = script->base;
  SkipOnError([base] { BuildPhoneticTable(base); });
  PaintCaptions(PhoneticTable, 1, 127);
  return madeCurrent;
}

}  // namespace lekhora
