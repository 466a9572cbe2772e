// Lekhora: a Devanagari typing pad. The splash window starts everything.

#include <QApplication>

#include "app/frm_splash.h"
#include "app/single_instance.h"
#include "ui/kit/look.h"
#include "ui/kit/pictures.h"
#include "ui/kit/window_helpers.h"
#include "ui/shell/frm_tray.h"
#include "ui/shell/windows.h"
#include "ui/typing/frm_type.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lekhora"));
  // Hiding every window to the tray must not end the program; the tray's
  // Exit does.
  QApplication::setQuitOnLastWindowClosed(false);
  // One family for every control the design leaves to the system: the pad's
  // named captions are Arial already, and a second family would be opened
  // and held in memory for the few that are not.
  QApplication::setFont(lekhora::Arial(QApplication::font().pointSizeF()));
  // Loaded before the look for a running pad, so that its Timer2 counts from
  // the start of the process; a later start drops it unseen.
  lekhora::FrmSplash& splash = lekhora::SplashWindow();
  lekhora::SingleInstance instance;
  if (!instance.Acquire()) {
    lekhora::UnloadAllWindows();
    return 0;
  }
  QObject::connect(&instance, &lekhora::SingleInstance::activationRequested, [] {
    // Until the tray window is loaded the pad is still starting and will show itself.
    if (lekhora::FrmTray* tray = lekhora::TrayWindowSlot().Find()) tray->BringToFront();
  });
  lekhora::KeepWindowsOnScreen();
  // The window comes up first; its word list is decoded straight after.
  lekhora::FrmType::PutOffWordList(true);
  // Drawn while the splash's timer runs, and before the splash is shown: a
  // splash window's show() already takes events, Timer2's tick among them,
  // and a typing window loaded without the application's icon draws its own.
  QApplication::setWindowIcon(lekhora::ProgramIcon());
  splash.show();
  const int result = QApplication::exec();
  lekhora::UnloadAllWindows();
  return result;
}
