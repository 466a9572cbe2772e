#pragma once
// The help window: shows the help file that ships beside the program.

#include <QWidget>
#include <filesystem>

class QPlainTextEdit;

namespace lekhora {

class FrmHelpType : public QWidget {
  Q_OBJECT

 public:
  /// Loads the window: a top-level window owned by owner, showing the help
  /// file of folder.
  FrmHelpType(QWidget* owner, std::filesystem::path folder);

  QPlainTextEdit* txtHelp() const { return txtHelp_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Load();

  std::filesystem::path folder_;
  QPlainTextEdit* txtHelp_ = nullptr;
};

/// The help window, loaded (owned by owner, reading folder's help file) if
/// it is not loaded yet; a loaded window is returned as it is.
FrmHelpType* HelpWindow(QWidget* owner, const std::filesystem::path& folder);
FrmHelpType* HelpWindow(QWidget* owner);
/// Shows the help window modeless above owner, loading it first if needed.
void ShowHelpWindow(QWidget* owner);
/// The help window while loaded, or nullptr.
FrmHelpType* LoadedHelpWindow();
/// Unloads the help window; nothing when it is not loaded.
void UnloadHelpWindow();

/// Text as a text edit shows it: CR LF and lone CR become line breaks.
QString DisplayText(const std::u16string& text);
/// Where position pos of text lies in DisplayText(text).
int DisplayPosition(const std::u16string& text, int pos);

}  // namespace lekhora
