#pragma once
// Steps of the tests that run the whole pad as the program does: start it
// through the splash and end it with the tray's Exit, read and write the
// user's files, choose from the next popup menu and answer the next question
// as a user would.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/frm_splash.h"
#include "tests/support/qt_test_support.h"
#include "tests/support/user_folders.h"
#include "ui/shell/frm_tray.h"
#include "ui/shell/windows.h"
#include "ui/typing/user_folders.h"

namespace lekhora::testing {

inline QByteArray Read(const std::filesystem::path& file) {
  QFile in(PathText(file));
  return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

inline void Write(const std::filesystem::path& file, const QByteArray& bytes) {
  std::filesystem::create_directories(file.parent_path());
  QFile out(PathText(file));
  QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
  out.write(bytes);
}

// As the program starts: the splash brings up the pad, then the pad becomes
// what was left. The splash is not waited for.
inline void StartPad() {
  SplashWindow().show();
  QTRY_VERIFY_WITH_TIMEOUT(TypeWindowSlot().IsLoaded() && TrayWindowSlot().IsLoaded(), 5000);
  UnloadSplash();
}

// The tray's Exit.
inline void ExitPad() {
  Child<QAction>(TrayWindow().MainMenu(), "mnuExit").trigger();
  QTRY_VERIFY(!TypeWindowSlot().IsLoaded() && !TrayWindowSlot().IsLoaded());
}

// No window and no user folder left from the case before.
inline void ForgetEverything(const PrivateUserFolders& home) {
  UnloadAllWindows();
  std::error_code ec;
  for (const std::filesystem::path& folder : {home.DataFolder(), home.ConfigFolder()}) {
    // A case may have taken the right to write away.
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(folder, ec);
  }
}

/// The popup menu seen last: its entries' names (separators as "-"), the
/// captions of the entries and the names of those checked.
struct MenuSeen {
  QStringList Entries;
  QStringList Captions;
  QStringList Checked;
};
inline MenuSeen& LastMenu() {
  static MenuSeen seen;
  return seen;
}

// Picks the entry of that name in the next popup menu with the keys, as a
// user would; a missing or disabled entry closes the menu instead.
inline void ChooseInNextMenu(const QString& name) {
  LastMenu() = {};
  QTimer::singleShot(50, [name] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    MenuSeen& seen = LastMenu();
    for (QAction* action : menu->actions()) {
      seen.Entries << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
      if (!action->isSeparator()) seen.Captions << action->text();
      if (action->isChecked()) seen.Checked << action->objectName();
    }
    QAction* chosen = menu->findChild<QAction*>(name);
    if (chosen == nullptr || !chosen->isEnabled()) {
      menu->close();
      return;
    }
    menu->setActiveAction(chosen);
    QTest::keyClick(menu, Qt::Key_Return);
  });
}

/// The text of the message box answered last.
inline QString& LastQuestion() {
  static QString question;
  return question;
}

// Clicks the button of that name in the message box once one is open,
// looking again every 20 ms, tries times at most.
inline void PollForQuestion(const char* button, int tries) {
  if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
    LastQuestion() = box->text();
    Child<QPushButton>(*box, button).click();
  } else if (tries > 0) {
    QTimer::singleShot(20, [button, tries] { PollForQuestion(button, tries - 1); });
  }
}

// Answers the next message box with the button of that name.
inline void AnswerNextQuestion(const char* button) {
  LastQuestion().clear();
  QTimer::singleShot(20, [button] { PollForQuestion(button, 100); });
}

}  // namespace lekhora::testing
