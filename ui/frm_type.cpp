#include "ui/frm_type.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <exception>

#include "clipboard/qt/qt_clipboard_backend.h"
#include "engine/layout_choice.h"
#include "ui/click_label.h"
#include "ui/design_place.h"
#include "ui/frm_tray.h"
#include "ui/frm_words.h"
#include "ui/pictures.h"
#include "ui/qt_text_box.h"
#include "ui/type_box.h"
#include "ui/typing_core.h"
#include "ui/windows.h"

namespace lekhora {
namespace {

constexpr int kDesignWidth = 8265;
constexpr int kDesignHeight = 4620;
const QColor kWindowBack(185, 211, 247);
const QColor kTitleBack(76, 147, 233);
const QColor kBoxBack(228, 238, 252);

QString FromU16(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

void Colour(QWidget& widget, QColor background) {
  widget.setAutoFillBackground(true);
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, Qt::black);
  widget.setPalette(palette);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

ClickLabel* MakeImage(QWidget* parent, const char* name, Picture picture, const QString& tip) {
  auto* image = new ClickLabel(parent);
  image->setObjectName(QString::fromLatin1(name));
  image->setPixmap(DrawPicture(picture));
  image->setToolTip(tip);
  return image;
}

QFont ArialBold(double points) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(points);
  font.setBold(true);
  return font;
}

// From the load's colour step on, a step that fails is skipped silently.
template <class Step>
void RunLoadStep(Step&& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace

void FrmType::PopupView::SetMainCaption(const std::u16string& caption) {
  if (words_) words_->SetMainCaption(caption);
}

void FrmType::PopupView::SetTipText(const std::u16string& text) {
  if (words_) words_->SetTipText(text);
}

std::filesystem::path FrmType::ProgramFolderPath() {
  return std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String());
}

FrmType::FrmType(std::filesystem::path folder) : folder_(std::move(folder)) {
  setObjectName(QStringLiteral("frmType"));
  setWindowTitle(QStringLiteral("Lekhora"));
  setWindowIcon(ProgramIcon());
  Colour(*this, kWindowBack);
  BuildControls();
  box_ = std::make_unique<QtTextBox>(*txtType_);
  core_ = std::make_unique<TypingCore>(*box_, lists_, popupView_);
  txtType_->SetKeySink(core_.get());
  systemClipboard_ = std::make_unique<QtClipboardBackend>();
  clipboard_ = systemClipboard_.get();
  ConnectControls();

  resize(DesignPixels(kDesignWidth), DesignPixels(kDesignHeight));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  txtType_->setFocus();

  LoadLayoutTables();
  SelectFirstMap();
  RunLoadStep([this] { SetKeyColours(); });
  RunLoadStep([this] { InitKeyLabels(); });
  RunLoadStep([this] { LoadLists(); });
  RunLoadStep([this] { ShowPopup(); });
  RunLoadStep([this] { LoadTray(); });
}

FrmType::~FrmType() {
  // The layout code must not paint into a window that is gone.
  SetCaptionSink({});
  txtType_->SetKeySink(nullptr);
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
  txtType_->setStyleSheet(QStringLiteral(
      "QPlainTextEdit { background: rgb(228, 238, 252); border: 1px solid rgb(128, 128, 128); }"));
  PlaceTwips(*txtType_, 60, 600, 5445, 1260);

  lstCustomWords_ = new QListWidget(this);
  lstCustomWords_->setObjectName(QStringLiteral("lstCustomWords"));
  lstCustomWords_->setFont(boxFont);
  lstCustomWords_->setStyleSheet(QStringLiteral(
      "QListWidget { background: rgb(228, 238, 252); border: 1px solid rgb(128, 128, 128); }"));
  PlaceTwips(*lstCustomWords_, 6060, 600, 735, 1275);

  picKB_ = new QWidget(this);
  picKB_->setObjectName(QStringLiteral("picKB"));
  Colour(*picKB_, kWindowBack);
  PlaceTwips(*picKB_, 60, 1920, 7455, 2295);

  BuildTools();

  // The maintenance command keeps its design place but is not for the user.
  command1_ = new QPushButton(QStringLiteral("Command1"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  PlaceTwips(*command1_, 7020, 1080, 675, 315);
  command1_->setVisible(false);
}

void FrmType::BuildTitleBand() {
  lblTitle_ = MakeLabel(this, "lblTitle", QString());
  Colour(*lblTitle_, kTitleBack);
  PlaceTwips(*lblTitle_, 0, 0, 8295, 280);

  label3_ = MakeLabel(this, "Label3", QStringLiteral("Lekhora"));
  label3_->setFont(ArialBold(9.75));
  PlaceTwips(*label3_, 60, 30, 1155, 195);

  imgMove_ = MakeImage(this, "imgMove", Picture::Move, QStringLiteral("Move"));
  imgMove_->setCursor(Qt::SizeAllCursor);
  PlaceTwips(*imgMove_, 7080, 60, 195, 180);
  imgFont_ = MakeImage(this, "imgFont", Picture::Font,
                       QStringLiteral("Increase or Decrease Font Size (on left and right click)"));
  PlaceTwips(*imgFont_, 7320, 60, 195, 180);
  imgHelp_ = MakeImage(this, "imgHelp", Picture::Help, QStringLiteral("Show Help"));
  imgHelp_->setCursor(Qt::WhatsThisCursor);
  PlaceTwips(*imgHelp_, 7560, 60, 195, 180);
  imgMin_ = MakeImage(this, "imgMin", Picture::Minimise, QStringLiteral("Minimize window"));
  PlaceTwips(*imgMin_, 7800, 60, 195, 180);
  imgClose_ = MakeImage(this, "imgClose", Picture::Close, QStringLiteral("Close Lekhora"));
  PlaceTwips(*imgClose_, 8040, 60, 195, 180);
  imgSize_ = MakeImage(this, "imgSize", Picture::SizeGrip, QStringLiteral("Resize The Lekhora"));
  imgSize_->setCursor(Qt::SizeFDiagCursor);
  PlaceTwips(*imgSize_, 8040, 3660, 195, 180);
}

void FrmType::BuildOptions() {
  chKB_ = new QCheckBox(this);
  chKB_->setObjectName(QStringLiteral("chKB"));
  chKB_->setChecked(true);
  chKB_->setFocusPolicy(Qt::NoFocus);
  PlaceTwips(*chKB_, 120, 330, 195, 195);
  lbl_ = MakeLabel(this, "lbl", QStringLiteral("Enable Unicode Typing"));
  PlaceTwips(*lbl_, 360, 330, 1695, 195);

  chShowKB_ = new QCheckBox(this);
  chShowKB_->setObjectName(QStringLiteral("chShowKB"));
  chShowKB_->setChecked(true);
  chShowKB_->setFocusPolicy(Qt::NoFocus);
  PlaceTwips(*chShowKB_, 2100, 330, 195, 195);
  label2_ = MakeLabel(this, "Label2", QStringLiteral("Show Keyboard"));
  PlaceTwips(*label2_, 2340, 330, 1335, 195);

  const QString layoutTip = QStringLiteral("Click to change layout");
  lblLayoutInfo_ = new ClickLabel(this);
  lblLayoutInfo_->setObjectName(QStringLiteral("lblLayoutInfo"));
  lblLayoutInfo_->setTextFormat(Qt::PlainText);
  lblLayoutInfo_->setText(QStringLiteral("click to change layout:"));
  lblLayoutInfo_->setFont(ArialBold(9));
  lblLayoutInfo_->setToolTip(layoutTip);
  PlaceTwips(*lblLayoutInfo_, 3660, 330, 1815, 210);
  lblLayout_ = new ClickLabel(this);
  lblLayout_->setObjectName(QStringLiteral("lblLayout"));
  lblLayout_->setTextFormat(Qt::PlainText);
  lblLayout_->setText(QStringLiteral("Phonetic(Vimra)"));
  lblLayout_->setFont(ArialBold(9));
  lblLayout_->setToolTip(layoutTip);
  PlaceTwips(*lblLayout_, 5580, 330, 1395, 210);
}

void FrmType::BuildTools() {
  picTools_ = new QWidget(this);
  picTools_->setObjectName(QStringLiteral("picTools"));
  PlaceTwips(*picTools_, 7980, 300, 255, 915);
  imgCopy_ = MakeImage(picTools_, "imgCopy", Picture::Copy, QStringLiteral("Copy ALL Text"));
  PlaceTwips(*imgCopy_, 30, 60, 195, 180);
  imgPaste_ = MakeImage(picTools_, "imgPaste", Picture::Paste, QStringLiteral("Paste Text"));
  PlaceTwips(*imgPaste_, 30, 360, 195, 180);
  imgSelect_ =
      MakeImage(picTools_, "imgSelect", Picture::Select, QStringLiteral("Select ALL Text"));
  PlaceTwips(*imgSelect_, 30, 660, 195, 180);
}

void FrmType::ConnectControls() {
  connect(chKB_, &QCheckBox::toggled, this, [this](bool on) { core_->Engine().SetConversion(on); });
  connect(chShowKB_, &QCheckBox::toggled, this, [this](bool on) {
    picKB_->setVisible(on);
    ApplyLayout();
  });
  connect(lstCustomWords_, &QListWidget::itemClicked, this, &FrmType::OnCustomWordClicked);
  connect(imgCopy_, &ClickLabel::clicked, this, &FrmType::CopyAllText);
  connect(imgPaste_, &ClickLabel::clicked, this, &FrmType::PasteText);
  connect(imgSelect_, &ClickLabel::clicked, this, &FrmType::SelectAllText);
  connect(imgClose_, &ClickLabel::clicked, this, &FrmType::OnCloseClicked);
  connect(imgMin_, &ClickLabel::clicked, this, &FrmType::OnMinimiseClicked);
  connect(imgHelp_, &ClickLabel::clicked, this, [this] {
    if (ChromeWindows().ShowHelpType) ChromeWindows().ShowHelpType(this);
  });
  connect(lblLayout_, &ClickLabel::clicked, this, [] { TrayWindow().PopupLayoutMenu(); });
  connect(lblLayoutInfo_, &ClickLabel::clicked, this, [] { TrayWindow().PopupLayoutMenu(); });
  lblTitle_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(lblTitle_, &QWidget::customContextMenuRequested, this, &FrmType::OnTitleMenuRequested);
  connect(command1_, &QPushButton::clicked, this, &FrmType::RunMaintenance);
}

void FrmType::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ApplyLayout();
}

void FrmType::ApplyLayout() {
  if (isMinimized()) return;
  lblTitle_->resize(width(), lblTitle_->height());
}

void FrmType::LoadLayoutTables() {
  SetCaptionSink(
      [this](int code, const std::u16string& caption) { PaintKeyCaption(code, caption); });
  LoadLayouts();
}

void FrmType::SelectFirstMap() {
  // The on-screen keyboard's map list starts at its first item; the keyboard
  // selects it itself when it is built.
}

void FrmType::SetKeyColours() {
  KeyBackColor = QColor(76, 147, 233);
  KeyPressedColor = QColor(255, 255, 255);
  KeyForeColor = QColor(0, 0, 0);
}

void FrmType::InitKeyLabels() {
  // The on-screen keyboard paints its Latin captions in the key colours when
  // it is built; the Unicode captions come from the layout through
  // PaintKeyCaption.
}

void FrmType::LoadLists() {
  const std::vector<std::u16string> customWords = LoadWordLists(folder_, lists_);
  for (const std::u16string& word : customWords) lstCustomWords_->addItem(FromU16(word));
}

void FrmType::ShowPopup() {
  FrmWords& words = WordsWindowSlot().Get(this);
  words_ = &words;
  popupView_.Attach(&words);
  words.show();
}

void FrmType::LoadTray() {
  TrayWindow();
}

void FrmType::PaintKeyCaption(int code, const std::u16string& caption) {
  if (code >= 0 && code < static_cast<int>(keyCaptions_.size()))
    keyCaptions_[static_cast<std::size_t>(code)] = caption;
}

std::u16string FrmType::KeyCaption(int code) const {
  if (code < 0 || code >= static_cast<int>(keyCaptions_.size())) return {};
  return keyCaptions_[static_cast<std::size_t>(code)];
}

void FrmType::SetLayoutCaption(const QString& layoutName) {
  lblLayout_->setText(layoutName);
}

void FrmType::OnCustomWordClicked(QListWidgetItem* item) {
  if (item != nullptr) CustomWordClick(*box_, item->text().toStdU16String());
  txtType_->setFocus();
}

void FrmType::OnCloseClicked() {
  TrayWindow().HideTypingWindows();
}

void FrmType::OnMinimiseClicked() {
  showMinimized();
  if (words_) words_->hide();
}

void FrmType::OnTitleMenuRequested() {
  // With a tray the tray icon is the handle; without one the title band is.
  if (!FrmTray::HasSystemTray()) TrayWindow().PopupMainMenu();
}

void FrmType::CopyAllText() {
  SetUnicodeText(*clipboard_, box_->Text());
}

void FrmType::PasteText() {
  const std::u16string text =
      GetUnicodeText(*clipboard_, [this](const std::string& title, const std::string& message) {
        ShowMessage(QString::fromStdString(title), QString::fromStdString(message));
      });
  box_->SetSelText(text);
}

void FrmType::SelectAllText() {
  const int length = static_cast<int>(box_->Text().size());
  box_->SetSelStart(0);
  box_->SetSelLength(length);
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
