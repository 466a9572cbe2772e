#include "ui/shell/frm_tray.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QTimer>
#include <QWindow>
#include <array>

#include "engine/layout_choice.h"
#include "ui/kit/look.h"
#include "ui/kit/pictures.h"
#include "ui/shell/windows.h"
#include "ui/typing/frm_type.h"
#include "ui/typing/frm_words.h"

namespace lekhora {
namespace {

const QString kHide = QStringLiteral("Hide");
const QString kShow = QStringLiteral("Show");

struct LayoutEntry {
  const char* objectName;
  const char* caption;
  std::u16string_view layout;
};

// The default entry's caption has a space the layout name has not.
const std::array kLayoutEntries{
    LayoutEntry{"mnuLayoutIR", "IntelligentRoman", kIntelligentRomanLayout},
    LayoutEntry{"mnuLayoutPhoneticVimra", "Phonetic (Vimra)", kPhoneticVimraLayout},
    LayoutEntry{"mnuLayoutPhonetic", "Phonetic", kPhoneticLayout},
    LayoutEntry{"mnuLayoutInscript", "Inscript", kInscriptLayout},
    LayoutEntry{"mnuLayoutRemington", "Remington", kRemingtonLayout},
};

QAction* AddEntry(QMenu& menu, const char* objectName, const QString& caption) {
  QAction* action = menu.addAction(caption);
  action->setObjectName(QString::fromLatin1(objectName));
  return action;
}

// Exactly one layout entry carries the check.
void MarkLayout(QMenu& menu, const LayoutEntry& chosen) {
  for (const LayoutEntry& entry : kLayoutEntries) {
    if (QAction* action = menu.findChild<QAction*>(QString::fromLatin1(entry.objectName)))
      action->setChecked(&entry == &chosen);
  }
}

// Minimised, by the pad's image or by the window manager, whose word may
// reach the toolkit late or not agree with it: a window is shown when it is
// on screen.
bool OnScreen(const QWidget& window) {
  const QWindow* handle = window.windowHandle();
  return window.isVisible() && !window.isMinimized() && (handle == nullptr || handle->isExposed());
}

void ShowOnScreen(QWidget& window) {
  if (window.isVisible() && !OnScreen(window)) {
    // Told minimised first, the toolkit maps the window again when it is
    // shown normal, which brings it back whatever state it believed it in.
    window.showMinimized();
    window.showNormal();
    return;
  }
  // A hidden popup can keep the minimised state the window manager gave it
  // together with its owner. Shown so, it is mapped iconic, and the window
  // manager iconifies a window's whole family with it: the typing window
  // would go down again as the popup came up.
  window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
}

}  // namespace

FrmTray::FrmTray() {
  setObjectName(QStringLiteral("frmTray"));
  BuildMenus();

  tray_ = new QSystemTrayIcon(ProgramIcon(), this);
  tray_->setObjectName(QStringLiteral("trayIcon"));
  tray_->setToolTip(QStringLiteral("Lekhora by Vimra's Dravik"));
  // No setContextMenu: some trays would then open it themselves as well, and
  // the right button must open the menu exactly once.
  connect(tray_, &QSystemTrayIcon::activated, this, &FrmTray::OnActivated);
  tray_->show();

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(kTrayRefreshMilliseconds);
  connect(timer1_, &QTimer::timeout, this, &FrmTray::RefreshIcon);
  timer1_->start();
}

FrmTray::~FrmTray() {
  if (tray_ != nullptr) tray_->hide();
}

void FrmTray::BuildMenus() {
  mnuMain_ = std::make_unique<QMenu>(QStringLiteral("Main"));
  mnuMain_->setObjectName(QStringLiteral("mnuMain"));
  mnuAbout_ = AddEntry(*mnuMain_, "mnuAbout", QStringLiteral("About"));
  mnuHide_ = AddEntry(*mnuMain_, "mnuHide", kHide);
  mnuExit_ = AddEntry(*mnuMain_, "mnuExit", QStringLiteral("Exit"));
  connect(mnuAbout_, &QAction::triggered, this, [] {
    if (ChromeWindows().ShowAbout) ChromeWindows().ShowAbout();
  });
  connect(mnuHide_, &QAction::triggered, this, &FrmTray::ToggleShowState);
  // Minimised or restored by the window manager, the window tells no one.
  connect(mnuMain_.get(), &QMenu::aboutToShow, this, &FrmTray::UpdateShowCaption);
  // The exit unloads this window too, so it runs once the menu has returned.
  connect(mnuExit_, &QAction::triggered, this,
          [] { QTimer::singleShot(0, QCoreApplication::instance(), &RunExitSequence); });

  mnuLayout_ = std::make_unique<QMenu>(QStringLiteral("Layout"));
  mnuLayout_->setObjectName(QStringLiteral("mnuLayout"));
  for (const LayoutEntry& entry : kLayoutEntries) {
    QAction* action = AddEntry(*mnuLayout_, entry.objectName, QString::fromLatin1(entry.caption));
    action->setCheckable(true);
    action->setChecked(entry.layout == kPhoneticVimraLayout);
    const QString layout = FromU16(entry.layout);
    connect(action, &QAction::triggered, this, [this, layout] { ChooseLayout(layout); });
  }
}

bool FrmTray::HasSystemTray() {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

void FrmTray::OnActivated(QSystemTrayIcon::ActivationReason reason) {
  // Left and right button open the same menu; double and middle clicks nothing.
  if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::Context) return;
  PopupMainMenuOnRelease();
}

void FrmTray::PopupMainMenuOnRelease() {
  // Some trays (X11's among them) report the press; the menu belongs to the
  // release, so a button held down on the icon opens nothing yet.
  if (QGuiApplication::mouseButtons() != Qt::NoButton) {
    QTimer::singleShot(kReleasePollMilliseconds, this, &FrmTray::PopupMainMenuOnRelease);
    return;
  }
  // Opened once the tray's own mouse handling has finished.
  QTimer::singleShot(0, this, &FrmTray::PopupMainMenu);
}

void FrmTray::PopupMainMenu() {
  mnuMain_->exec(QCursor::pos());
}

void FrmTray::PopupLayoutMenu() {
  mnuLayout_->exec(QCursor::pos());
}

void FrmTray::ChooseLayout(const QString& layoutName) {
  const std::u16string name = layoutName.toStdU16String();
  const LayoutEntry* chosen = nullptr;
  for (const LayoutEntry& entry : kLayoutEntries) {
    if (entry.layout == name) chosen = &entry;
  }
  if (chosen == nullptr) return;
  MarkLayout(*mnuLayout_, *chosen);
  TypeWindow().SetLayout(chosen->layout);
  // The layout is built at the Devanagari base again.
  TypeWindow().ForgetOutputScript();
  TypeWindow().SetLayoutCaption(layoutName);
}

void FrmTray::ShowLayoutChosen(const QString& layoutName) {
  const std::u16string name = layoutName.toStdU16String();
  for (const LayoutEntry& entry : kLayoutEntries) {
    if (entry.layout == name) MarkLayout(*mnuLayout_, entry);
  }
  TypeWindow().SetLayoutCaption(layoutName);
}

void FrmTray::UpdateShowCaption() {
  const FrmType* type = TypeWindowSlot().Find();
  if (type == nullptr || !type->isVisible()) return;
  mnuHide_->setText(OnScreen(*type) ? kHide : kShow);
}

void FrmTray::ToggleShowState() {
  UpdateShowCaption();
  if (mnuHide_->text() == kHide) {
    HideTypingWindows();
  } else {
    mnuHide_->setText(kHide);
    ShowTypingWindows();
  }
}

void FrmTray::HideTypingWindows() {
  if (FrmType* type = TypeWindowSlot().Find()) {
    if (HasSystemTray())
      type->hide();
    else
      type->showMinimized();
  }
  if (FrmWords* words = WordsWindowSlot().Find()) words->hide();
  mnuHide_->setText(kShow);
}

void FrmTray::BringToFront() {
  mnuHide_->setText(kHide);
  ShowTypingWindows();
  TypeWindow().activateWindow();
}

void FrmTray::ShowTypingWindows() {
  FrmType& type = TypeWindow();
  ShowOnScreen(type);
  type.raise();
  if (FrmWords* words = WordsWindowSlot().Find()) ShowOnScreen(*words);
}

void FrmTray::RefreshIcon() {
  // Showing an icon that is present does nothing; Qt itself docks the icon
  // again when a tray comes back, so this only repairs an icon taken away.
  if (!tray_->isVisible()) tray_->show();
}

}  // namespace lekhora
