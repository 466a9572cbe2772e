#include "ui/typing/toolbar_commands.h"

namespace lekhora {

bool CopyAllText(const TextBox& box, ClipboardBackend& clipboard) {
  return SetUnicodeText(clipboard, box.Text());
}

void PasteClipboardText(TextBox& box, ClipboardBackend& clipboard,
                        const ClipboardErrorSink& report) {
  box.SetSelText(GetUnicodeText(clipboard, report));
}

void SelectAllText(TextBox& box) {
  const int length = static_cast<int>(box.Text().size());
  box.SetSelStart(0);
  box.SetSelLength(length);
}

}  // namespace lekhora
