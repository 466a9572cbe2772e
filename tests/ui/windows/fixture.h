#pragma once
// The pad's windows as one run of the program sees them: the tests of each
// window run in order on the one set of windows that start-up brings up.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/frm_splash.h"
#include "clipboard/qt/qt_clipboard_backend.h"
#include "engine/layout.h"
#include "engine/typing_engine.h"
#include "suggest/suggestions.h"
#include "tests/support/qt_test_support.h"
#include "tests/support/user_folders.h"
#include "ui/shell/frm_about.h"
#include "ui/shell/frm_help_type.h"
#include "ui/shell/frm_tray.h"
#include "ui/shell/windows.h"
#include "ui/typing/frm_type.h"
#include "ui/typing/frm_words.h"
#include "ui/typing/type_box.h"
#include "ui/typing/typing_core.h"

#include <memory>

namespace lekhora::windows_test {

#define COMPARE_TEXT(actual, expected) QCOMPARE(Hex(actual), Hex(expected))

FrmType& Type();
TypeBox& Box();
TypingState& State();
QAction& Entry(QMenu& menu, const char* name);

/// Closes whatever popup menu opens next, noting its name in ClosedPopup().
void CloseNextPopup();
const QString& ClosedPopup();

/// An empty box, conversion on, the default layout, the box focused.
void ResetTyping();

// One test object a window, in the order main runs them.
std::unique_ptr<QObject> StartupTests();
std::unique_ptr<QObject> TypingTests();
std::unique_ptr<QObject> LayoutMenuTests();
std::unique_ptr<QObject> ClipboardTests();
std::unique_ptr<QObject> TrayTests();
std::unique_ptr<QObject> MissingListTests();
std::unique_ptr<QObject> ExitTests();

}  // namespace lekhora::windows_test
