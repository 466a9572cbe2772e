#pragma once
// The toolbar's commands: copy all, paste, select all. They work on the text
// box and the clipboard interfaces, so they run the same on the real typing
// box and on the in-memory one.

#include "clipboard/mod_clipboard.h"
#include "engine/text_box.h"

namespace lekhora {

/// Places the whole text on the clipboard; false when the clipboard refused it.
bool CopyAllText(const TextBox& box, ClipboardBackend& clipboard);

/// Replaces the selection (or inserts at the caret) with the clipboard's text;
/// a failure of the clipboard is shown through report and inserts nothing.
void PasteClipboardText(TextBox& box, ClipboardBackend& clipboard,
                        const ClipboardErrorSink& report);

/// Selects the whole text.
void SelectAllText(TextBox& box);

}  // namespace lekhora
