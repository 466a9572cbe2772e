#include "ui/typing/frm_type.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTextCursor>
#include <QWindow>
#include <span>

#include "base/data_files.h"
#include "clipboard/qt/qt_clipboard_backend.h"
#include "engine/layout_choice.h"
#include "ui/geometry/design_geometry.h"
#include "ui/geometry/geometry.h"
#include "ui/kit/caption_fit.h"
#include "ui/kit/chrome_images.h"
#include "ui/kit/click_label.h"
#include "ui/kit/control_helpers.h"
#include "ui/kit/pictures.h"
#include "ui/kit/qt_text_box.h"
#include "ui/kit/window_helpers.h"
#include "ui/typing/frm_words.h"
#include "ui/typing/keyboard_panel.h"
#include "ui/typing/pad_memory.h"
#include "ui/typing/shell_hooks.h"
#include "ui/typing/toolbar_commands.h"
#include "ui/typing/type_box.h"
#include "ui/typing/typing_core.h"
#include "userdata/roman_words.h"
#include "userdata/user_word_store.h"
#include "userdata/word_ranking.h"

namespace lekhora {
namespace {

std::span<const ControlGeometry> Design() {
  return TypingWindowDesign();
}

// The name of the only layout that script choices type in.
const QString kPhoneticName = QStringLiteral("Phonetic");

ClickLabel* MakeImage(QWidget* parent, const char* name, Picture picture, const QString& tip) {
  auto* image = new ClickLabel(parent);
  image->setObjectName(QString::fromLatin1(name));
  image->setPixmap(DrawPicture(picture));
  image->setToolTip(tip);
  return image;
}

// The text box and the word list: light blue inside a one-pixel grey line,
// drawn by the frame itself, so no style sheet has to be parsed at start-up.
void FlatBox(QFrame& box) {
  box.setFrameStyle(QFrame::Box | QFrame::Plain);
  box.setLineWidth(1);
  SetColour(box, QPalette::Base, kBoxBack);
  SetColour(box, QPalette::WindowText, QColor(128, 128, 128));
}

}  // namespace

void FrmType::PopupView::Show(const CandidatePage& page) {
  if (words_) words_->ShowCandidates(page);
}

FrmType::FrmType(std::filesystem::path folder, UserFolders user)
    : folder_(std::move(folder)),
      userFolders_(std::move(user)),
      // The program's list is the default and is only ever read.
      userWords_(std::make_unique<UserWordStore>(userFolders_.Data / kCustomWordsFile,
                                                 folder_ / kCustomWordsFile)) {
  setObjectName(QStringLiteral("frmType"));
  // The window draws its own title band, buttons and grip.
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setWindowTitle(QStringLiteral("Lekhora"));
  // The program's icon is drawn once, for the application, where it has one.
  if (QGuiApplication::windowIcon().isNull()) setWindowIcon(ProgramIcon());
  Colour(*this, kWindowBack);
  BuildControls();
  box_ = std::make_unique<QtTextBox>(*txtType_);
  core_ = std::make_unique<TypingCore>(*box_, lists_, popupView_);
  txtType_->SetKeySink(core_.get());
  systemClipboard_ = std::make_unique<QtClipboardBackend>();
  clipboard_ = systemClipboard_.get();
  memory_ = std::make_unique<PadMemory>(*this, userFolders_);
  ConnectControls();
  NameControlsForScreenReaders();

  const Size design = TwipsToPixels(kTypingWindowDesignSize);
  resize(design.Width, design.Height);
  CentreOnScreen(*this);
  txtType_->setFocus();

  LoadLayoutTables();
  SelectFirstMap();
  SkipOnError([this] { SetKeyColours(); });
  SkipOnError([this] { InitKeyLabels(); });
  SkipOnError([this] { LoadLists(); });
  SkipOnError([this] { ShowPopup(); });
  SkipOnError([this] { LoadTray(); });
}

FrmType::~FrmType() {
  SkipOnError([this] { memory_->SaveNow(); });
  // What was learned since the last write is not lost with the window.
  SkipOnError([this] {
    if (ranking_) ranking_->History().Flush();
  });
  if (words_) words_->removeEventFilter(this);
  txtType_->SetKeySink(nullptr);
  // Nor the box report its last changes to an engine that is gone.
  disconnect(txtType_, nullptr, this, nullptr);
}

void FrmType::BuildControls() {
  BuildTitleBand();
  BuildOptions();

  txtType_ = new TypeBox(this);
  txtType_->setObjectName(QStringLiteral("txtType"));
  txtType_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont boxFont = txtType_->font();
  boxFont.setPointSizeF(12);
  txtType_->setFont(boxFont);
  FlatBox(*txtType_);
  PlaceDesign(*txtType_, Design());

  lstCustomWords_ = new QListWidget(this);
  lstCustomWords_->setObjectName(QStringLiteral("lstCustomWords"));
  lstCustomWords_->setFont(boxFont);
  // A list box shows what fits; it does not scroll sideways.
  lstCustomWords_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lstCustomWords_->setTextElideMode(Qt::ElideNone);
  lstCustomWords_->viewport()->installEventFilter(this);
  FlatBox(*lstCustomWords_);
  PlaceDesign(*lstCustomWords_, Design());

  picKB_ = new KeyboardPanel(this);
  PlaceDesign(*picKB_, Design());

  BuildTools();

  // The maintenance command keeps its design place but is not for the user.
  command1_ = new QPushButton(QStringLiteral("Command1"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  PlaceDesign(*command1_, Design());
  command1_->setVisible(false);
}

void FrmType::BuildTitleBand() {
  lblTitle_ = MakeLabel(this, "lblTitle", QString());
  Colour(*lblTitle_, kTitleBack);
  PlaceDesign(*lblTitle_, Design());

  label3_ = MakeLabel(this, "Label3", QStringLiteral("Lekhora"));
  label3_->setFont(ArialBold(9.75));
  PlaceDesign(*label3_, Design());
  FitCaption(label3_);

  imgMove_ = MakeChromeImage(this, "imgMove", ChromeImage::Move, QStringLiteral("Move"), Design());
  imgFont_ = MakeChromeImage(
      this, "imgFont", ChromeImage::Font,
      QStringLiteral("Increase or Decrease Font Size (on left and right click)"), Design());
  imgHelp_ =
      MakeChromeImage(this, "imgHelp", ChromeImage::Help, QStringLiteral("Show Help"), Design());
  imgMin_ = MakeChromeImage(this, "imgMin", ChromeImage::Minimise,
                            QStringLiteral("Minimize window"), Design());
  imgClose_ = MakeChromeImage(this, "imgClose", ChromeImage::Close, QStringLiteral("Close Lekhora"),
                              Design());
  imgSize_ = MakeChromeImage(this, "imgSize", ChromeImage::SizeGrip,
                             QStringLiteral("Resize The Lekhora"), Design());
}

void FrmType::BuildOptions() {
  chKB_ = new QCheckBox(this);
  chKB_->setObjectName(QStringLiteral("chKB"));
  chKB_->setChecked(true);
  chKB_->setFocusPolicy(Qt::NoFocus);
  PlaceDesign(*chKB_, Design());
  lbl_ = MakeLabel(this, "lbl", QStringLiteral("Enable Unicode Typing"));
  lbl_->setFont(Arial(8.25));
  PlaceDesign(*lbl_, Design());
  FitCaption(lbl_);

  chShowKB_ = new QCheckBox(this);
  chShowKB_->setObjectName(QStringLiteral("chShowKB"));
  chShowKB_->setChecked(true);
  chShowKB_->setFocusPolicy(Qt::NoFocus);
  PlaceDesign(*chShowKB_, Design());
  label2_ = MakeLabel(this, "Label2", QStringLiteral("Show Keyboard"));
  label2_->setFont(Arial(8.25));
  PlaceDesign(*label2_, Design());
  FitCaption(label2_);

  const QString layoutTip = QStringLiteral("Click to change layout");
  lblLayoutInfo_ = new ClickLabel(this);
  lblLayoutInfo_->setObjectName(QStringLiteral("lblLayoutInfo"));
  lblLayoutInfo_->setTextFormat(Qt::PlainText);
  lblLayoutInfo_->setText(QStringLiteral("click to change layout:"));
  lblLayoutInfo_->setFont(ArialBold(9));
  lblLayoutInfo_->setToolTip(layoutTip);
  PlaceDesign(*lblLayoutInfo_, Design());
  FitCaption(lblLayoutInfo_);
  lblLayout_ = new ClickLabel(this);
  lblLayout_->setObjectName(QStringLiteral("lblLayout"));
  lblLayout_->setTextFormat(Qt::PlainText);
  lblLayout_->setText(QStringLiteral("Phonetic(Vimra)"));
  lblLayout_->setFont(ArialBold(9));
  lblLayout_->setToolTip(layoutTip);
  PlaceDesign(*lblLayout_, Design());
  // The design's place holds the table layouts' names; IntelligentRoman's
  // is longer, and the band has room on the right for it.
  const QFontMetrics metrics(lblLayout_->font());
  const int roman = metrics.horizontalAdvance(FromU16(kIntelligentRomanLayout)) +
                    lblLayout_->contentsMargins().left() + lblLayout_->contentsMargins().right() +
                    2 * lblLayout_->margin() + 2;
  if (lblLayout_->width() < roman) lblLayout_->resize(roman, lblLayout_->height());
  // Fitted to the longest layout name.
  lblLayout_->setText(FromU16(kIntelligentRomanLayout));
  FitCaption(lblLayout_);
  lblLayout_->setText(QStringLiteral("Phonetic(Vimra)"));
}

void FrmType::BuildTools() {
  picTools_ = new QWidget(this);
  picTools_->setObjectName(QStringLiteral("picTools"));
  PlaceDesign(*picTools_, Design());
  // The toolbar's background is no handle for moving the window.
  picTools_->setAttribute(Qt::WA_NoMousePropagation);
  imgCopy_ = MakeImage(picTools_, "imgCopy", Picture::Copy, QStringLiteral("Copy ALL Text"));
  Place(*imgCopy_, Rect{30, 60, 195, 180});
  imgPaste_ = MakeImage(picTools_, "imgPaste", Picture::Paste, QStringLiteral("Paste Text"));
  Place(*imgPaste_, Rect{30, 360, 195, 180});
  imgSelect_ =
      MakeImage(picTools_, "imgSelect", Picture::Select, QStringLiteral("Select ALL Text"));
  Place(*imgSelect_, Rect{30, 660, 195, 180});
}

void FrmType::ConnectControls() {
  connect(chKB_, &QCheckBox::toggled, this, [this](bool on) {
    core_->SetConversion(on);
    emit settingsChanged();
  });
  // Every edit of the box the key handlers did not make themselves (a click,
  // the toolbar, the on-screen keyboard, a user word, undo, the box's own
  // keys) is checked against the word being typed as it happens.
  for (auto changed : {&QPlainTextEdit::textChanged, &QPlainTextEdit::cursorPositionChanged,
                       &QPlainTextEdit::selectionChanged})
    connect(txtType_, changed, this, [this] { core_->BoxChanged(); });
  core_->OnComposingChanged([this] { MarkComposing(); });
  connect(chShowKB_, &QCheckBox::toggled, this, [this](bool on) {
    picKB_->setVisible(on);
    ApplyLayout();
    emit settingsChanged();
  });
  connect(lstCustomWords_, &QListWidget::itemClicked, this, &FrmType::OnCustomWordClicked);
  txtType_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(txtType_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    std::unique_ptr<QMenu> menu(BuildTextMenu());
    // A scroll area reports the place in its viewport.
    menu->exec(txtType_->viewport()->mapToGlobal(at));
  });
  lstCustomWords_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(lstCustomWords_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QListWidgetItem* item = lstCustomWords_->itemAt(at);
    if (item == nullptr) return;
    std::unique_ptr<QMenu> menu(BuildWordMenu(lstCustomWords_->row(item)));
    menu->exec(lstCustomWords_->viewport()->mapToGlobal(at));
  });
  connect(imgCopy_, &ClickLabel::clicked, this, &FrmType::CopyAllText);
  connect(imgPaste_, &ClickLabel::clicked, this, &FrmType::PasteText);
  connect(imgSelect_, &ClickLabel::clicked, this, &FrmType::SelectAllText);
  connect(imgClose_, &ClickLabel::clicked, this, &FrmType::OnCloseClicked);
  connect(imgMin_, &ClickLabel::clicked, this, &FrmType::OnMinimiseClicked);
  connect(imgFont_, &ClickLabel::mouseReleased, this, &FrmType::OnFontReleased);
  connect(imgHelp_, &ClickLabel::clicked, this, [this] {
    if (Shell().ShowHelpType) Shell().ShowHelpType(this);
  });
  connect(lblLayout_, &ClickLabel::clicked, this, [] { CallShell(Shell().PopupLayoutMenu); });
  connect(lblLayoutInfo_, &ClickLabel::clicked, this, [] { CallShell(Shell().PopupLayoutMenu); });
  lblTitle_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(lblTitle_, &QWidget::customContextMenuRequested, this, &FrmType::OnTitleMenuRequested);
  connect(command1_, &QPushButton::clicked, this, &FrmType::RunMaintenance);

  connect(picKB_, &KeyboardPanel::captionClicked, this, &FrmType::OnKeyCaptionClicked);
  connect(picKB_, &KeyboardPanel::outputScriptChosen, this, &FrmType::OnOutputScriptChosen);
  // The layout list chooses exactly as the Layout menu does.
  connect(picKB_, &KeyboardPanel::layoutChosen, this,
          [](const QString& name) { CallShell(Shell().ChooseLayout, name); });

  // The window's background, its title band and its plain captions move it.
  for (QWidget* area :
       std::initializer_list<QWidget*>{this, lblTitle_, label3_, lbl_, label2_, picKB_, imgMove_})
    EnableDragMove(this, area);
  new SizeGrip(this, imgSize_);
}

void FrmType::NameControlsForScreenReaders() {
  setAccessibleName(windowTitle());
  lblTitle_->setAccessibleName(windowTitle());
  chKB_->setAccessibleName(lbl_->text());
  chShowKB_->setAccessibleName(label2_->text());
  txtType_->setAccessibleName(tr("Typing box"));
  lstCustomWords_->setAccessibleName(tr("Your words"));
  picTools_->setAccessibleName(tr("Toolbar"));
  // Images and labels are named by their tooltips where they have no text.
  for (QWidget* child : findChildren<QWidget*>()) {
    if (child->accessibleName().isEmpty() && !child->toolTip().isEmpty())
      child->setAccessibleName(child->toolTip());
  }
}

void FrmType::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ApplyLayout();
  emit settingsChanged();
}

void FrmType::closeEvent(QCloseEvent* event) {
  event->ignore();
  CallShell(Shell().HideTypingWindows);
}

void FrmType::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  KeepPopupAbove();
}

void FrmType::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  KeepPopupAbove();
  emit settingsChanged();
}

void FrmType::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    KeepPopupAbove();
    // The input method may have learned words meanwhile, in other windows.
    if (ranking_) SkipOnError([this] { ranking_->History().Refresh(); });
  }
}

bool FrmType::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lstCustomWords_->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) customWordsDoubleClicked_ = false;
    if (event->type() == QEvent::MouseButtonDblClick) customWordsDoubleClicked_ = true;
  }
  if (words_ && watched == words_.data()) {
    switch (event->type()) {
      case QEvent::Show:
        popupShown_ = true;
        emit settingsChanged();
        break;
      case QEvent::Hide:
        // Hidden with the typing window (to the tray, minimised, at exit) it
        // is not closed.
        if (isVisible() && !isMinimized()) popupShown_ = false;
        emit settingsChanged();
        break;
      case QEvent::Move:
      case QEvent::Resize:
        emit settingsChanged();
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// The popup is shown while this window is still being loaded, before the
// window manager knows this window, so a window manager cannot yet tie the
// popup to it. Once this window is active (and so known), the popup is mapped
// again, which makes the window manager read its owner and keep it above.
void FrmType::KeepPopupAbove() {
  if (!words_ || !words_->isVisible()) return;
  if (!popupOwnerTold_ && isActiveWindow()) {
    popupOwnerTold_ = true;
    if (QWindow* popup = words_->windowHandle()) popup->setTransientParent(windowHandle());
    words_->hide();
    words_->show();
  }
  words_->raise();
}

void FrmType::ApplyLayout() {
  const Size now{width() * kTwipsPerPixel, height() * kTwipsPerPixel};
  const auto layout = LayoutTypingWindow(now, !picKB_->isHidden(), isMinimized());
  if (!layout) return;
  const TypingWindowControls& c = layout->Controls;
  Place(*lblTitle_, c.lblTitle);
  Place(*imgFont_, c.imgFont);
  Place(*imgHelp_, c.imgHelp);
  Place(*imgMove_, c.imgMove);
  Place(*imgMin_, c.imgMin);
  Place(*imgClose_, c.imgClose);
  Place(*imgSize_, c.imgSize);
  Place(*picTools_, c.picTools);
  Place(*txtType_, c.txtType);
  Place(*lstCustomWords_, c.lstCustomWords);
  Place(*picKB_, c.picKB);
  ApplyWindowShape(this, layout->Shape);
  // The window manager is told the floor too, so resizing never cuts into it.
  const Size floor = TwipsToPixels(TypingWindowMinimum(!picKB_->isHidden()));
  setMinimumSize(floor.Width, floor.Height);
  // Below the minimum the window snaps back; the resize lays it out again.
  const Size wanted = TwipsToPixels(layout->Window);
  if (wanted.Width != width() || wanted.Height != height()) resize(wanted.Width, wanted.Height);
}

void FrmType::LoadLayoutTables() {
  UseLayout(layouts_.SetLayout(kPhoneticVimraLayout));
}

void FrmType::SetLayout(std::u16string_view name) {
  UseLayout(layouts_.SetLayout(name));
}

void FrmType::UseLayout(CaptionRange captions) {
  core_->SetLayout(layouts_.Current());
  // A caption the keyboard cannot take is skipped; the other keys still repaint.
  for (int code = captions.first; code <= captions.last; ++code)
    SkipOnError([&] { PaintKeyCaption(code, std::u16string(CurrentLayout().Caption(code))); });
}

void FrmType::SelectFirstMap() {
  picKB_->LayoutList()->setCurrentIndex(0);
}

void FrmType::SetKeyColours() {
  KeyBackColor = QColor(76, 147, 233);
  KeyPressedColor = QColor(255, 255, 255);
  KeyForeColor = QColor(0, 0, 0);
  picKB_->SetKeyColors(KeyBackColor, KeyPressedColor, KeyForeColor);
}

void FrmType::InitKeyLabels() {
  picKB_->InitialiseKeyLabels();
}

void FrmType::LoadWordList() {
  if (wordListLoaded_) return;
  wordListLoaded_ = true;
  SkipOnError([this] { LoadDictionary(folder_, lists_); });
}

void FrmType::LoadLists() {
  if (!putOffWordList_) LoadWordList();
  // The user's words come from the user's folder, which the pad can write;
  // a list not there yet starts as a copy of the program's.
  const std::string saveError = userWords_->Load(memory_->HoldsDataFolder());
  FillCustomWords();
  for (const std::string& note : userWords_->TakeNotes())
    AddTitleNote(QString::fromStdString(note));
  if (!saveError.empty()) WarnNotSaved(userFolders_.Data);
}

void FrmType::FillCustomWords() {
  const std::span<const std::u16string> words = userWords_->Words().Words();
  if (romanWords_) romanWords_->SetUserWords(words);
  wordRows_.Fill(words);
  QStringList shown;
  shown.reserve(static_cast<qsizetype>(wordRows_.Count()));
  for (const std::u16string& word : words)
    if (WordRows::Shown(word)) shown << FromU16(word);
  lstCustomWords_->clear();
  // All rows at once: an item made with its list box searches the whole list
  // for itself, which made a long list load in quadratic time.
  lstCustomWords_->addItems(shown);
}

void FrmType::ShowPopup() {
  FrmWords& words = WordsWindowSlot().Get(this);
  words_ = &words;
  popupView_.Attach(&words);
  words.installEventFilter(this);
  // IntelligentRoman writes a candidate clicked in the popup.
  connect(&words, &FrmWords::wordClicked, this,
          [this](const QString& word) { core_->PickWord(word.toStdU16String()); });
  connect(&words, &FrmWords::wordMenuRequested, this, [this](const QString& word, QPoint at) {
    std::unique_ptr<QMenu> menu(BuildPopupMenu(word.toStdU16String()));
    menu->exec(at);
  });
  // A click on the popup leaves the keyboard with the typing box.
  GiveKeysTo(&words, [this]() -> QWidget* { return txtType_; });
  words.show();
}

void FrmType::LoadTray() {
  CallShell(Shell().LoadTray);
}

void FrmType::PaintKeyCaption(int code, const std::u16string& caption) {
  if (code >= 0 && code < static_cast<int>(keyCaptions_.size()))
    keyCaptions_[static_cast<std::size_t>(code)] = caption;
  picKB_->SetCaption(code, FromU16(caption));
}

std::u16string FrmType::KeyCaption(int code) const {
  if (code < 0 || code >= static_cast<int>(keyCaptions_.size())) return {};
  return keyCaptions_[static_cast<std::size_t>(code)];
}

void FrmType::SetRomanSource(RomanComposition::CandidateSource source) {
  core_->SetRomanSource(std::move(source));
}

void FrmType::MarkComposing() {
  const TypingCore::Range range = core_->Composing();
  QList<QTextEdit::ExtraSelection> marks;
  if (range.Length > 0) {
    // The letters being composed are underlined, as an input method marks
    // its preedit: a break writes the word over them.
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(txtType_->document());
    mark.cursor.setPosition(range.Start);
    mark.cursor.setPosition(range.Start + range.Length, QTextCursor::KeepAnchor);
    mark.format.setFontUnderline(true);
    mark.format.setUnderlineStyle(QTextCharFormat::SingleUnderline);
    mark.format.setUnderlineColor(QColor(0, 0, 160));
    marks << mark;
  }
  txtType_->setExtraSelections(marks);
}

void FrmType::SetLayoutCaption(const QString& layoutName) {
  lblLayout_->setText(layoutName);
  picKB_->ShowLayout(layoutName);
  emit settingsChanged();
}

void FrmType::OnCustomWordClicked(QListWidgetItem* item) {
  if (customWordsDoubleClicked_) {
    customWordsDoubleClicked_ = false;
    return;
  }
  if (item != nullptr) CustomWordClick(*box_, item->text().toStdU16String());
  txtType_->setFocus();
}

void FrmType::OnCloseClicked() {
  CallShell(Shell().HideTypingWindows);
}

void FrmType::OnMinimiseClicked() {
  showMinimized();
  if (words_) words_->hide();
}

void FrmType::OnFontReleased(Qt::MouseButton button) {
  SetFontSize(StepFontSize(txtType_->font().pointSizeF(), button == Qt::LeftButton));
}

void FrmType::SetFontSize(double points) {
  QFont font = txtType_->font();
  font.setPointSizeF(points);
  txtType_->setFont(font);
  lstCustomWords_->setFont(font);
  emit settingsChanged();
}

void FrmType::OnKeyCaptionClicked(const QString& caption) {
  // A key of the on-screen keyboard types its caption as it stands, past
  // the typing engine; IntelligentRoman's Latin letters compose.
  core_->TypeText(caption.toStdU16String());
  txtType_->setFocus();
}

void FrmType::OnOutputScriptChosen(const QString& item) {
  const std::u16string name = item.toStdU16String();
  const LayoutChoice::ScriptChoice choice = layouts_.ChooseOutputScript(name);
  UseLayout(choice.captions);
  const bool madePhonetic = choice.madeCurrent;
  for (const OutputScript& script : OutputScripts())
    if (script.name == name) outputScript_ = name;
  emit settingsChanged();
  if (!madePhonetic) return;
  // The choice made Phonetic current: the menu and the label say so too.
  if (!Shell().ShowLayoutChosen || !Shell().ShowLayoutChosen(kPhoneticName))
    SetLayoutCaption(kPhoneticName);
}

void FrmType::OnTitleMenuRequested() {
  // With a tray the tray icon is the handle; without one the title band is.
  if (!QSystemTrayIcon::isSystemTrayAvailable()) CallShell(Shell().PopupMainMenu);
}

void FrmType::CopyAllText() {
  lekhora::CopyAllText(*box_, *clipboard_);
}

void FrmType::PasteText() {
  PasteClipboardText(*box_, *clipboard_,
                     [this](const std::string& title, const std::string& message) {
                       ShowMessage(QString::fromStdString(title), QString::fromStdString(message));
                     });
}

void FrmType::SelectAllText() {
  lekhora::SelectAllText(*box_);
}

void FrmType::RunMaintenance() {
  if (const std::optional<Error> failure = RunMaintenanceCommand(folder_))
    ShowMessage(QStringLiteral("Lekhora"), QString::fromStdString(failure->description()));
}

void FrmType::ShowMessage(const QString& title, const QString& text) {
  if (messages_) {
    messages_(title, text);
    return;
  }
  QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, this);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace lekhora
