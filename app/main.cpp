// Lekhora: a Devanagari typing pad. The splash window starts everything.

#include <QApplication>

#include "app/frm_splash.h"
#include "ui/pictures.h"
#include "ui/windows.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lekhora"));
  QApplication::setWindowIcon(lekhora::ProgramIcon());
  // Hiding every window to the tray must not end the program; the tray's
  // Exit does.
  QApplication::setQuitOnLastWindowClosed(false);
  lekhora::SplashWindow().show();
  const int result = QApplication::exec();
  lekhora::UnloadAllWindows();
  return result;
}
