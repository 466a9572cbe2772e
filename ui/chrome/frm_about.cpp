#include "ui/chrome/frm_about.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPointer>

#include "ui/chrome/about_text.h"
#include "ui/chrome/frm_help_type.h"
#include "ui/chrome/geometry.h"

namespace lekhora {
namespace {

QPointer<frmAbout>& Loaded() {
  static QPointer<frmAbout> window;
  return window;
}

QString FromView(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

frmAbout::frmAbout() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(FromView(kAboutCaption));
  setAttribute(Qt::WA_DeleteOnClose);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(141, 178, 227));
  setPalette(palette);
  resize(TwipsToPixels(7050), TwipsToPixels(5460));

  txtHellp_ = new QPlainTextEdit(this);
  txtHellp_->setObjectName(QStringLiteral("txtHellp"));
  txtHellp_->setAccessibleName(tr("About Lekhora"));
  txtHellp_->setGeometry(0, 0, TwipsToPixels(7035), TwipsToPixels(5415));
  txtHellp_->setReadOnly(true);
  QPalette textPalette = txtHellp_->palette();
  textPalette.setColor(QPalette::Base, QColor(228, 238, 252));
  txtHellp_->setPalette(textPalette);
  txtHellp_->setPlainText(DisplayText(std::u16string(kAboutText)));
}

void frmAbout::closeEvent(QCloseEvent* event) {
  if (Loaded() == this) Loaded() = nullptr;
  QWidget::closeEvent(event);
}

frmAbout* AboutWindow() {
  if (!Loaded()) Loaded() = new frmAbout();
  return Loaded();
}

void ShowAboutWindow() {
  frmAbout* window = AboutWindow();
  window->show();
  window->raise();
  window->activateWindow();
}

frmAbout* LoadedAboutWindow() {
  return Loaded();
}

void UnloadAboutWindow() {
  if (frmAbout* window = Loaded()) {
    Loaded() = nullptr;
    delete window;
  }
}

}  // namespace lekhora
