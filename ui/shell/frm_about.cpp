#include "ui/shell/frm_about.h"

#include <QCloseEvent>
#include <QPlainTextEdit>

#include "ui/geometry/geometry.h"
#include "ui/kit/control_helpers.h"
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
  txtHellp_ = DressTextWindow(*this, {.name = "frmAbout",
                                      .title = FromU16(kAboutCaption),
                                      .back = kAboutBack,
                                      .twips = {7050, 5460},
                                      .paneName = "txtHellp",
                                      .paneLabel = tr("About Lekhora"),
                                      .paneTwips = {7035, 5415}});
  txtHellp_->setReadOnly(true);
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
