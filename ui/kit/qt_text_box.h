#pragma once
// The key handlers' text box over the real typing box.

#include "engine/text_box.h"

class QPlainTextEdit;

namespace lekhora {

class QtTextBox final : public TextBox {
 public:
  explicit QtTextBox(QPlainTextEdit& edit) : edit_(edit) {}

  std::u16string Text() const override;
  std::u16string TextBefore(int pos, int most) const override;
  int SelStart() const override;
  int SelLength() const override;
  std::u16string SelText() const override;
  CaretPlace Place() const override;
  bool SetSelStart(int pos) override;
  bool SetSelLength(int length) override;
  void SetSelText(std::u16string_view text) override;

 private:
  int Length() const;

  QPlainTextEdit& edit_;
};

}  // namespace lekhora
