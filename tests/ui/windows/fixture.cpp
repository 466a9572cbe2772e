#include "tests/ui/windows/fixture.h"

namespace lekhora::windows_test {
namespace {

// The popup menu that CloseNextPopup last closed.
QString g_closedPopup;

}  // namespace

using namespace lekhora::testing;

FrmType& Type() {
  return TypeWindow();
}
TypeBox& Box() {
  return Type().txtType();
}
TypingState& State() {
  return Type().Core().Engine().State();
}
QAction& Entry(QMenu& menu, const char* name) {
  return Child<QAction>(menu, name);
}

void CloseNextPopup() {
  g_closedPopup.clear();
  QTimer::singleShot(50, [] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      g_closedPopup = popup->objectName();
      popup->close();
    }
  });
}

const QString& ClosedPopup() {
  return g_closedPopup;
}

void ResetTyping() {
  Box().clear();
  Child<QCheckBox>(Type(), "chKB").setChecked(true);
  TrayWindow().ChooseLayout(QStringLiteral("Phonetic(Vimra)"));
  State() = TypingState{};
  Box().setFocus();
}

}  // namespace lekhora::windows_test
