#pragma once
// The typing window frmType: the typing box and everything around it. Its
// construction is the load sequence of the pad.

#include <QColor>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/program_folder.h"
#include "clipboard/mod_clipboard.h"
#include "engine/layout_choice.h"
#include "engine/roman_composition.h"
#include "suggest/suggestion_view.h"
#include "suggest/word_lists.h"
#include "ui/typing/frm_words.h"
#include "ui/typing/pad_settings.h"
#include "ui/typing/user_folders.h"
#include "userdata/user_word_store.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QTimer;

namespace lekhora {

class ChromeImageWidget;
class ClickLabel;
class KeyboardPanel;
class PadMemory;
class QtTextBox;
class StatusTip;
class TypeBox;
class TypingCore;
class UserWordStore;
class RomanWords;
class WordRanking;
enum class WordEdit;

/// Shows a message to the user (title, text); a message box in the program.
using MessageSink = std::function<void(const QString& title, const QString& text)>;

class FrmType final : public QWidget {
  Q_OBJECT

 public:
  /// Runs the load sequence with the files of folder (the program's own);
  /// what belongs to the user is kept in the user's folders.
  explicit FrmType(std::filesystem::path folder = ProgramFolder(),
                   UserFolders user = DefaultUserFolders());
  /// Unloading saves what changed.
  ~FrmType() override;

  TypeBox& txtType() const { return *txtType_; }
  TypingCore& Core() const { return *core_; }
  const WordLists& Lists() const { return lists_; }
  FrmWords* Popup() const { return words_.data(); }

  /// The layout the pad types with and its keyboard shows.
  const Layout& CurrentLayout() const { return layouts_.CurrentLayout(); }
  /// A layout menu entry: the named layout becomes current and the keyboard
  /// shows it (see LayoutChoice::SetLayout).
  void SetLayout(std::u16string_view name);

  /// The words IntelligentRoman offers for Latin letters (see
  /// TypingCore::SetRomanSource).
  void SetRomanSource(RomanComposition::CandidateSource source);

  /// The caption of lblLayout: the current layout's name. The keyboard's
  /// layout list shows the same name.
  void SetLayoutCaption(const QString& layoutName);
  /// The Unicode caption last painted on the on-screen key with this code.
  std::u16string KeyCaption(int code) const;
  KeyboardPanel& Keyboard() const { return *picKB_; }

  /// Replaces the system clipboard (tests use a fake one).
  void SetClipboardBackend(ClipboardBackend& clipboard) { clipboard_ = &clipboard; }
  /// Replaces the message box (tests record the messages).
  void SetMessageSink(MessageSink sink) { messages_ = std::move(sink); }

  /// The toolbar's three images.
  void CopyAllText();
  void PasteText();
  void SelectAllText();
  /// Command1: rebuilds the compressed word list; a failure is reported.
  void RunMaintenance();

  /// Whether typing windows made from now on decode the bundled word list in
  /// their load (the default) or leave it to LoadWordList, so that the
  /// program's window comes up without waiting for it.
  static void PutOffWordList(bool putOff) { putOffWordList_ = putOff; }
  /// Decodes the bundled word list where the load left it; at once otherwise.
  void LoadWordList();
  bool WordListLoaded() const { return wordListLoaded_; }

  /// After the start-up: the settings and the text of the last run come
  /// back, and what changes from then on is kept.
  void RestoreSession();
  PadMemory& Memory() const { return *memory_; }
  const UserWordStore& UserWordList() const { return *userWords_; }

  /// The settings as the windows show them now.
  PadSettings CurrentSettings() const;
  /// Applies settings through the functions the menus, check boxes and lists
  /// call, so that every caption, check mark and list agrees.
  void ApplySettings(const PadSettings& settings);
  /// The typed text, with the caret at its end.
  void RestoreText(const std::u16string& text);
  /// The font size of the typing box and the custom word list.
  void SetFontSize(double points);
  /// A layout was chosen: an output script chosen before no longer applies.
  void ForgetOutputScript() { outputScript_.clear(); }

  /// The text box's right-click menu: the edit actions, adding a word and
  /// clearing the text. The caller owns the menu.
  QMenu* BuildTextMenu();
  /// The custom word list's right-click menu for the word in row.
  QMenu* BuildWordMenu(int row);
  /// "Add to my words": the selection or the word at the caret.
  void AddWordAtCaret();
  void RemoveCustomWord(int row);
  /// Asks first; the text goes only when the user confirms (and Undo brings it back).
  void ClearAllText();

  /// "Most used words first": the popup lists the words that begin with the
  /// typed part best ranked first, and the Shift keys move over those alone.
  void SetMostUsedFirst(bool on);
  bool MostUsedFirst() const { return mostUsedFirst_; }
  /// "Learn the words I type": each word a word break ends goes into the
  /// history the input method ranks with too.
  void SetLearnWords(bool on);
  bool LearnWords() const { return learnWords_; }
  /// The frequencies and the history the pad ranks with and learns into,
  /// started with the session (or by the first setting that needs them).
  WordRanking* Ranking() const { return ranking_.get(); }
  /// The popup's right-click menu for word, one of its rows.
  QMenu* BuildPopupMenu(const std::u16string& word);
  /// "Forget this word": out of the history, and out of the popup unless the
  /// frequencies still rank it.
  void ForgetWord(const std::u16string& word);
  /// Asks first; then every word learned is forgotten.
  void ClearTypingHistory();
  /// Writes what was learned since the last write; the timer does so soon
  /// after each word.
  void FlushHistory();
  QTimer& HistoryTimer() const { return *historyTimer_; }

  /// A short message beside the typing box, in a tooltip's look, for five
  /// seconds; the last one shown.
  void ShowStatus(const QString& text, QWidget* near = nullptr);
  QString StatusText() const { return status_; }
  /// A line for the title band's tooltip, which tells what went wrong with
  /// the user's files.
  void AddTitleNote(const QString& note);
  /// Saving in folder failed: the title band says so, once for the run.
  void WarnNotSaved(const std::filesystem::path& folder);

 signals:
  /// Something the pad remembers between runs has changed.
  void settingsChanged();

 public:
  QColor KeyBackColor;
  QColor KeyPressedColor;
  QColor KeyForeColor;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  /// A close request of the window manager hides the pad, as the close image does.
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static inline bool putOffWordList_ = false;
  bool wordListLoaded_ = false;
  void BuildControls();
  void BuildTitleBand();
  void BuildOptions();
  void BuildTools();
  void ConnectControls();
  void ApplyLayout();
  void NameControlsForScreenReaders();
  void ShowMessage(const QString& title, const QString& text);
  /// Keeps the popup above this window, as an owned window stays.
  void KeepPopupAbove();

  // The load sequence, in its order.
  void LoadLayoutTables();
  void SelectFirstMap();
  void SetKeyColours();
  void InitKeyLabels();
  void LoadLists();
  void ShowPopup();
  void LoadTray();

  void PaintKeyCaption(int code, const std::u16string& caption);
  /// Underlines the letters being composed in txtType.
  void MarkComposing();
  /// Hands the typing engine the current layout and repaints captions from it.
  void UseLayout(CaptionRange captions);
  void OnCustomWordClicked(QListWidgetItem* item);
  void OnCloseClicked();
  void OnMinimiseClicked();
  void OnFontReleased(Qt::MouseButton button);
  void OnKeyCaptionClicked(const QString& caption);
  void OnOutputScriptChosen(const QString& item);
  void OnTitleMenuRequested();
  /// Asks question (name is the message box's) with Clear and Cancel; true
  /// when the user chose Clear.
  bool AskToClear(const char* name, const QString& question, const QString& detail,
                  bool clearByDefault);
  void StartRanking();
  /// The popup again for the word being typed, after the ranking changed.
  void SuggestAgain();
  /// Tells the user what the history had to say.
  void PassHistoryNotes();
  /// Each item keeps the index of its word in the user's list.
  void FillCustomWords();
  /// Tells what became of adding (or removing) word, beside near.
  void ReportWordChange(bool adding, WordEdit edit, bool saved, const std::string& saveError,
                        const std::u16string& word, QWidget* near);

  std::filesystem::path folder_;
  UserFolders userFolders_;
  WordLists lists_;
  std::unique_ptr<UserWordStore> userWords_;
  WordRows wordRows_;
  std::unique_ptr<PadMemory> memory_;
  LayoutChoice layouts_;
  /// The output-script item chosen since the last layout choice.
  std::u16string outputScript_;
  /// Whether the popup is open, as far as the user's choice goes: hiding it
  /// with the typing window does not close it.
  bool popupShown_ = true;
  QString status_;
  QPointer<StatusTip> statusTip_;
  QStringList titleNotes_;
  bool notSavedWarned_ = false;

  QLabel* lblTitle_ = nullptr;
  QLabel* label3_ = nullptr;
  ChromeImageWidget* imgMove_ = nullptr;
  ChromeImageWidget* imgFont_ = nullptr;
  ChromeImageWidget* imgHelp_ = nullptr;
  ChromeImageWidget* imgMin_ = nullptr;
  ChromeImageWidget* imgClose_ = nullptr;
  ChromeImageWidget* imgSize_ = nullptr;
  QCheckBox* chKB_ = nullptr;
  QLabel* lbl_ = nullptr;
  QCheckBox* chShowKB_ = nullptr;
  QLabel* label2_ = nullptr;
  ClickLabel* lblLayoutInfo_ = nullptr;
  ClickLabel* lblLayout_ = nullptr;
  QWidget* picTools_ = nullptr;
  ClickLabel* imgCopy_ = nullptr;
  ClickLabel* imgPaste_ = nullptr;
  ClickLabel* imgSelect_ = nullptr;
  TypeBox* txtType_ = nullptr;
  QListWidget* lstCustomWords_ = nullptr;
  KeyboardPanel* picKB_ = nullptr;
  QPushButton* command1_ = nullptr;

  // The popup may be unloaded on its own; until then the suggestions go there.
  class PopupView final : public SuggestionView {
   public:
    void Attach(FrmWords* words) { words_ = words; }
    void Show(const CandidatePage& page) override;

   private:
    QPointer<FrmWords> words_;
  };
  PopupView popupView_;
  QPointer<FrmWords> words_;

  std::unique_ptr<QtTextBox> box_;
  std::unique_ptr<WordRanking> ranking_;
  // Read when IntelligentRoman first asks; it reads ranking_'s table and history.
  std::unique_ptr<RomanWords> romanWords_;
  QTimer* historyTimer_ = nullptr;
  bool mostUsedFirst_ = false;
  bool learnWords_ = true;
  std::unique_ptr<TypingCore> core_;
  std::unique_ptr<ClipboardBackend> systemClipboard_;
  ClipboardBackend* clipboard_ = nullptr;
  MessageSink messages_;
  // The release that ends a double click on the custom word list is no click.
  bool customWordsDoubleClicked_ = false;
  bool popupOwnerTold_ = false;
  std::array<std::u16string, 129> keyCaptions_;
};

}  // namespace lekhora
