#pragma once
// The About window: a fixed text on what the pad does.

#include <QWidget>

class QPlainTextEdit;

namespace lekhora {

class FrmAbout : public QWidget {
  Q_OBJECT

 public:
  /// Loads the window; it has no owner.
  FrmAbout();

  QPlainTextEdit* txtHellp() const { return txtHellp_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QPlainTextEdit* txtHellp_ = nullptr;
};

/// The About window, loaded on first use.
FrmAbout* AboutWindow();
/// Shows the About window modeless, loading it first if needed.
void ShowAboutWindow();
/// The About window while loaded, or nullptr.
FrmAbout* LoadedAboutWindow();
/// Unloads the About window; nothing when it is not loaded.
void UnloadAboutWindow();

}  // namespace lekhora
