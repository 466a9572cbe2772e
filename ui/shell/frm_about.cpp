#include "ui/shell/frm_about.h"

#include <QCloseEvent>
#include <QPlainTextEdit>

#include "ui/geometry/geometry.h"
#include "ui/kit/look.h"
#include "ui/kit/window_helpers.h"
#include "ui/kit/window_slot.h"
#include "ui/shell/about_text.h"
#include "ui/shell/frm_help_type.h"

namespace lekhora {
namespace {

WindowSlot<FrmAbout>& Slot() {
  static WindowSlot<FrmAbout> slot;
  return slot;
}

}  // namespace

FrmAbout::FrmAbout() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(FromU16(kAboutCaption));
  setAttribute(Qt::WA_DeleteOnClose);
  setAutoFillBackground(true);
  SetColour(*this, QPalette::Window, kAboutBack);
  resize(TwipsToPixels(7050), TwipsToPixels(5460));

  txtHellp_ = new QPlainTextEdit(this);
  txtHellp_->setObjectName(QStringLiteral("txtHellp"));
  txtHellp_->setAccessibleName(tr("About Lekhora"));
  txtHellp_->setGeometry(0, 0, TwipsToPixels(7035), TwipsToPixels(5415));
  txtHellp_->setReadOnly(true);
  SetColour(*txtHellp_, QPalette::Base, kBoxBack);
  txtHellp_->setPlainText(DisplayText(std::u16string(kAboutText)));
}

void FrmAbout::closeEvent(QCloseEvent* event) {
  Slot().Forget(this);
  QWidget::closeEvent(event);
}

FrmAbout* AboutWindow() {
  return &Slot().Get();
}

void ShowAboutWindow() {
  ShowInFront(*AboutWindow());
}

FrmAbout* LoadedAboutWindow() {
  return Slot().Find();
}

void UnloadAboutWindow() {
  Slot().Unload();
}

}  // namespace lekhora
