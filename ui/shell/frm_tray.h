#pragma once
// The tray window frmTray: never on screen. It owns the tray icon, the tray
// menu (About, Hide/Show, Exit), the Layout menu that the typing window pops
// up, the hide/show switch and the timer that puts a lost icon back.

#include <QObject>
#include <QString>
#include <QSystemTrayIcon>
#include <memory>

class QAction;
class QMenu;
class QTimer;

namespace lekhora {

inline constexpr int kTrayRefreshMilliseconds = 60000;
/// How often a tray press waits for its release before the menu opens.
inline constexpr int kReleasePollMilliseconds = 15;

class FrmTray final : public QObject {
  Q_OBJECT

 public:
  /// Loading adds the tray icon and starts the refresh timer.
  FrmTray();
  /// Unloading deletes the tray icon.
  ~FrmTray() override;

  QMenu& MainMenu() const { return *mnuMain_; }
  QMenu& LayoutMenu() const { return *mnuLayout_; }
  QAction& HideEntry() const { return *mnuHide_; }
  QSystemTrayIcon& TrayIcon() const { return *tray_; }
  QTimer& RefreshTimer() const { return *timer1_; }

  /// Whether the desktop has a tray to hold the icon. Without one, hiding
  /// would leave no way back, so the hide switch minimises instead.
  static bool HasSystemTray();

  /// Pops up the tray menu (or the Layout menu) at the cursor.
  void PopupMainMenu();
  void PopupLayoutMenu();

  /// A layout entry's Click: checks that entry alone, makes its layout
  /// current and shows the name on the typing window. Unknown names are
  /// ignored.
  void ChooseLayout(const QString& layoutName);
  /// The menu checks and the layout label show layoutName, which is already
  /// current; nothing is rebuilt.
  void ShowLayoutChosen(const QString& layoutName);

  /// mnuHide's Click: hides or shows the typing window and the popup. A
  /// minimised typing window counts as hidden: the entry brings it back.
  void ToggleShowState();
  /// mnuHide's caption as the typing window stands now: "Show" while it is
  /// minimised; one hidden to the tray keeps "Show" until shown.
  void UpdateShowCaption();
  /// The typing window's close image: hidden, and the entry offers "Show".
  void HideTypingWindows();
  /// A second start of the program: the pad is shown (if hidden) and raised.
  void BringToFront();

  /// Timer1's tick: adds the icon again if it has gone from the tray.
  void RefreshIcon();

 private:
  void BuildMenus();
  void OnActivated(QSystemTrayIcon::ActivationReason reason);
  void PopupMainMenuOnRelease();
  void ShowTypingWindows();

  std::unique_ptr<QMenu> mnuMain_;
  std::unique_ptr<QMenu> mnuLayout_;
  QAction* mnuAbout_ = nullptr;
  QAction* mnuHide_ = nullptr;
  QAction* mnuExit_ = nullptr;
  QSystemTrayIcon* tray_ = nullptr;
  QTimer* timer1_ = nullptr;
};

}  // namespace lekhora
