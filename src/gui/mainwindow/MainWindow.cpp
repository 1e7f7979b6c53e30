// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSplitter>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <utility>

#include "core/catalogue/FontTable.h"
#include "core/platform/FontResources.h"
#include "gui/about/AboutBox.h"
#include "gui/about/MakerSite.h"
#include "gui/common/BaseFormat.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FontNameList.h"
#include "gui/common/FramePump.h"
#include "gui/common/Icons.h"
#include "gui/common/NamedWidgets.h"
#include "gui/compare/CompareWindow.h"
#include "gui/compare/WebPageFile.h"
#include "gui/coverage/CoverageLine.h"
#include "gui/coverage/FamiliesForText.h"
#include "gui/customtext/CustomTextTab.h"
#include "gui/filter/FamilyFilter.h"
#include "gui/find/FindList.h"
#include "gui/fontfiles/FontFileTab.h"
#include "gui/install/OpenFolder.h"
#include "gui/mainwindow/Commands.h"
#include "gui/mainwindow/InstalledFontScan.h"
#include "gui/preview/RichTextPages.h"
#include "gui/removal/FontActions.h"
#include "gui/sheet/SheetTab.h"
#include "gui/sizedialog/FontSizef.h"

namespace qm::gui {
namespace {

const QString kTitle = QStringLiteral("Quillmere-Brindlewood");

constexpr int kSheetTab = 0;
constexpr int kFileTab = 1;
constexpr int kCustomTab = 2;
// Print preview margins, twips, and its page setting.
constexpr int kPrintSideMargin = 300;
constexpr int kPrintEndMargin = 1;
constexpr int kPortraitPages = 1;
// The setting that keeps the width of the font-name list, pixels.
constexpr char kListWidthKey[] = "ListWidth";

// A timer of this length runs after the window events already waiting, the
// drawing among them.
constexpr int kAfterDrawingMs = 1;

QString OrdinalText(int row) { return QStringLiteral("第%1种字体").arg(row + 1); }

}  // namespace

MainWindow::MainWindow(platform::Platform& platform, QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      trayAvailable_(&QSystemTrayIcon::isSystemTrayAvailable) {
  setObjectName(QStringLiteral("Main"));
  setWindowTitle(kTitle);
  setWindowIcon(ApplicationIcon());
  SetupWidgets();
  SetupToolbar();
  SetupMenus();
  SetupCommands();
  SetupConnections();
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setSingleShot(true);
  Timer1->setInterval(kExitDelayMs);
  connect(Timer1, &QTimer::timeout, this, &MainWindow::Exit);
  resize(960, 680);
}

void MainWindow::SetupWidgets() {
  auto* central = new QWidget(this);
  // The list and the tabs share the width as the person drags it; a wider
  // window widens both.
  auto* columns = new QSplitter(Qt::Horizontal, central);
  columns->setObjectName(QStringLiteral("Splitter1"));
  columns->setChildrenCollapsible(false);
  columns->addWidget(SetupFontNameFrame());
  SSTab1 = new QTabWidget(central);
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  SSTab1->setFont(QFont(BaseFaceFamily(), 9));
  sheetTab_ = new SheetTab(faceEngine_, faceFinder_, SSTab1);
  SSTab1->addTab(sheetTab_, QStringLiteral("字型列表"));
  coverageLine_ = new CoverageLine(platform_, sheetTab_);
  sheetTab_->AddBelowSample(coverageLine_);
  fontFileTab_ = new FontFileTab(platform_,
                                 {[this] { return FamilyNames(); },
                                  [this](const QByteArray& family) { return FontFileOf(family); }},
                                 SSTab1);
  SSTab1->addTab(fontFileTab_, QStringLiteral("字体文件名列表"));
  customTab_ = new CustomTextTab(SSTab1);
  SSTab1->addTab(customTab_, QStringLiteral("自定义"));
  columns->addWidget(SSTab1);
  columns->setStretchFactor(0, 1);
  columns->setStretchFactor(1, 3);
  KeepListWidth(columns);

  auto* bottom = new QHBoxLayout;
  Label7 = NamedLabel(QStringLiteral("Label7"), QString(), central);
  Label4 = NamedLabel(QStringLiteral("Label4"), QString(), central);
  bottom->addWidget(Label7, 1);
  bottom->addWidget(Label4);

  auto* rows = new QVBoxLayout(central);
  rows->addWidget(columns, 1);
  rows->addLayout(bottom);
  setCentralWidget(central);

  // A hidden scratch box for copies of rich text.
}

// The width of the list the person chose is kept in the settings.
void MainWindow::KeepListWidth(QSplitter* columns) {
  connect(columns, &QSplitter::splitterMoved, this, [columns] {
    QSettings moved;
    moved.beginGroup(QString::fromUtf8(system::kSettingsSection));
    moved.setValue(QString::fromUtf8(kListWidthKey), columns->sizes().value(0));
  });
}

QWidget* MainWindow::SetupFontNameFrame() {
  auto* frame = new QGroupBox(QStringLiteral("系统字体名列表"), this);
  frame->setObjectName(QStringLiteral("Frame1"));
  List1 = new FontNameList(frame);
  List1->setObjectName(QStringLiteral("List1"));
  List1->setAccessibleName(QStringLiteral("字体列表"));
  QFont listFont(BaseFaceFamily());
  listFont.setPointSizeF(10.5);  // QFont's integer size would make it 10
  List1->setFont(listFont);
  List1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // Long names scroll into view sideways.
  List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  List1->setMinimumWidth(220);
  Label1 = NamedLabel(QStringLiteral("Label1"), QStringLiteral("0/0"), frame);
  Label3 = NamedLabel(QStringLiteral("Label3"), OrdinalText(-1), frame);
  filter_ = new FamilyFilter(List1, frame);
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(filter_);
  layout->addWidget(List1, 1);
  layout->addWidget(Label1);
  layout->addWidget(Label3);
  return frame;
}

void MainWindow::SetupToolbar() {
  tbToolBar = addToolBar(QStringLiteral("tbToolBar"));
  tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
  tbToolBar->setMovable(false);
  tbToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  alignmentGroup_ = new QActionGroup(this);
  alignmentGroup_->setExclusive(true);
  for (const ToolbarEntry& entry : kToolbar) {
    if (!entry.key) {
      tbToolBar->addSeparator();
      toolbarButtons_.append(nullptr);
      continue;
    }
    QAction* button = tbToolBar->addAction(ToolbarIcon(entry), QString::fromUtf8(entry.key));
    button->setObjectName(QString::fromUtf8(entry.key));
    // Every button has a key, so that the window works without a mouse.
    button->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
    button->setToolTip(TipWithShortcut(QString::fromUtf8(entry.tip), button->shortcut()));
    button->setCheckable(entry.kind != ButtonKind::Push);
    if (entry.kind == ButtonKind::Alignment) alignmentGroup_->addAction(button);
    toolbarButtons_.append(button);
  }
  Button(keys::kAlignLeft)->setChecked(true);
}

void MainWindow::SetupMenus() {
  // The menus never show in a menu bar; each pops up where it is asked for.
  menuBar()->hide();
  for (const MenuLayout& layout : kMenus) {
    const QString caption = QString::fromUtf8(layout.caption);
    auto* menu = new QMenu(caption, this);
    menu->setObjectName(caption);
    for (const char* item : layout.items) {
      if (!item) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(QString::fromUtf8(item));
      action->setObjectName(QString::fromUtf8(item));
    }
    connect(menu, &QMenu::triggered, this, [this, caption](QAction* item) {
      Route(MenuItemKey(caption, item->objectName()), item);
    });
    menus_.insert(caption, menu);
  }
}

// Every command the toolbar and the menus reach, by key. A later command
// is one more row here.
void MainWindow::SetupCommands() {
  const auto menuItem = [](const char* menu, const char* item) {
    return MenuItemKey(QString::fromUtf8(menu), QString::fromUtf8(item));
  };
  commands_ = {
      {keys::kScan, [this](QAction*) { ScanInstalledFonts(); }},
      {keys::kBuildSheet, [this](QAction*) { BuildSampleSheet(); }},
      {keys::kStop, [this](QAction*) { stopRequested_ = true; }},
      {keys::kFind, [this](QAction*) { OpenFindList(); }},
      {keys::kPrint, [this](QAction*) { PopUp(keys::kPrintMenu); }},
      {keys::kOpenFolder, [this](QAction*) { fontFileTab_->OpenShownFolder(); }},
      {keys::kAdd, [this](QAction*) { OpenInstallDialog(); }},
      {keys::kBold, [this](QAction* button) { SetWholeTextStyle(button, TextStyle::Bold); }},
      {keys::kItalic, [this](QAction* button) { SetWholeTextStyle(button, TextStyle::Italic); }},
      {keys::kUnderline,
       [this](QAction* button) { SetWholeTextStyle(button, TextStyle::Underline); }},
      {keys::kAlignLeft, [this](QAction*) { SetAlignment(false); }},
      {keys::kCentre, [this](QAction*) { SetAlignment(true); }},
      {keys::kSize, [this](QAction*) { PopUp(keys::kFontMenu); }},
      {keys::kDownload, [this](QAction*) { OpenMakerPage(maker_paths::kDownload); }},
      {keys::kHelp, [this](QAction*) { PopUp(keys::kMainMenu); }},
      {menuItem(keys::kMainMenu, keys::kHomePage),
       [this](QAction*) { OpenMakerPage(maker_paths::kHome); }},
      {menuItem(keys::kMainMenu, keys::kOtherSoftware),
       [this](QAction*) { OpenMakerPage(maker_paths::kOtherSoftware); }},
      {menuItem(keys::kMainMenu, keys::kLatestVersion),
       [this](QAction*) { OpenMakerPage(maker_paths::kLatestVersion); }},
      {menuItem(keys::kMainMenu, keys::kHelp),
       [this](QAction*) { OpenMakerPage(maker_paths::kHelp); }},
      {menuItem(keys::kMainMenu, keys::kAbout), [this](QAction*) { ShowAboutBox(); }},
      {menuItem(keys::kMainMenu, keys::kExit), [this](QAction*) { BeginExit(); }},
      {menuItem(keys::kFontMenu, keys::kFontColour), [this](QAction*) { ChooseTextColor(); }},
      {keys::kDelete,
       [this](QAction*) {
         if (SSTab1->currentIndex() == kFileTab) RemoveSelectedFontFiles();
       }},
      {menuItem(keys::kFontFolderMenu, keys::kFileProperties),
       [this](QAction*) { ShowFileProperties(fontFileTab_->CurrentFile().path, platform_, this); }},
      {menuItem(keys::kFontFolderMenu, keys::kViewFontFile),
       [this](QAction*) { ViewFontFile(fontFileTab_->CurrentFile().path, this); }},
      {menuItem(keys::kFontFolderMenu, keys::kRemoveFontFiles),
       [this](QAction*) { RemoveSelectedFontFiles(); }},
      {menuItem(keys::kListMenu, keys::kRemoveFonts), [this](QAction*) { RemoveSelectedFonts(); }},
      {menuItem(keys::kFontFolderMenu, keys::kInstallNewFonts),
       [this](QAction*) { OpenInstallDialog(); }},
      {menuItem(keys::kPrintMenu, keys::kPrintSamples), [this](QAction*) { PrintSamples(); }},
      {menuItem(keys::kPrintMenu, keys::kPrintPreview), [this](QAction*) { PrintPreview(); }},
      {menuItem(keys::kFontMenu, keys::kFontSize), [this](QAction*) { OpenFontSizeDialog(); }},
      {keys::kSaveAsWebPageFile, [this](QAction*) { SaveAsWebPageFile(); }},
      {keys::kCompareSelected, [this](QAction*) { CompareSelectedFonts(); }},
      {menuItem(keys::kListMenu, keys::kFamiliesForText),
       [this](QAction*) { ShowFamiliesForText(); }},
  };
}

void MainWindow::SetupConnections() {
  connect(List1, &FontNameList::FamilyChosen, this, &MainWindow::OnList1Click);
  connect(sheetTab_, &SheetTab::SheetLineClicked, this, &MainWindow::SyncListToSheetLine);
  connect(SSTab1, &QTabWidget::currentChanged, this, &MainWindow::OnTabSwitch);
  connect(sheetTab_, &SheetTab::SaveAsWebPageRequested, this,
          [this] { Route(QString::fromUtf8(keys::kSaveAsWebPageFile), nullptr); });
  connect(customTab_, &CustomTextTab::CompareRequested, this,
          [this] { Route(QString::fromUtf8(keys::kCompareSelected), nullptr); });
  connect(customTab_, &CustomTextTab::FamiliesForTextRequested, this, [this] {
    Route(
        MenuItemKey(QString::fromUtf8(keys::kListMenu), QString::fromUtf8(keys::kFamiliesForText)),
        nullptr);
  });
  connect(tbToolBar, &QToolBar::actionTriggered, this,
          [this](QAction* button) { Route(button->objectName(), button); });
  connect(fontFileTab_, &FontFileTab::FileDoubleClicked, this,
          [this] { ViewFontFile(fontFileTab_->CurrentFile().path, this); });
  connect(fontFileTab_, &FontFileTab::ContextMenuRequested, this,
          [this](const QPoint& at) { menus_.value(keys::kFontFolderMenu)->popup(at); });
  List1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(List1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    menus_.value(keys::kListMenu)->popup(List1->viewport()->mapToGlobal(at));
  });
}

void MainWindow::Route(const QString& key, QAction* trigger) {
  if (const auto command = commands_.constFind(key); command != commands_.cend())
    (*command)(trigger);
}

QAction* MainWindow::ToolbarButton(int position) const {
  return position >= 1 && position <= toolbarButtons_.size() ? toolbarButtons_[position - 1]
                                                             : nullptr;
}

QAction* MainWindow::Button(const char* key) const {
  return tbToolBar->findChild<QAction*>(QString::fromUtf8(key), Qt::FindDirectChildrenOnly);
}

QMenu* MainWindow::PopupMenu(const QString& caption) const { return menus_.value(caption); }

QString MainWindow::ReadSampleFontSize() {
  QSettings settings;
  settings.beginGroup(QString::fromUtf8(system::kSettingsSection));
  const QString text = settings
                           .value(QString::fromUtf8(system::kFontSizeKey),
                                  QString::fromUtf8(system::kDefaultFontSize))
                           .toString();
  const system::FontSizeReading reading = system::ParseSampleFontSize(text.toStdString());
  if (!reading.ok) return QString::fromStdString(reading.error);
  // A size no text can have keeps the default, which the pages and
  // comparisons can use.
  if (reading.value > 0) sampleFontSize_ = reading.value;
  return {};
}

void MainWindow::Startup(std::future<InstalledFamilies> firstScan) {
  QString lastError;
  sheetTab_->ShowUsage();
  stopRequested_ = true;
  if (QString error = ReadSampleFontSize(); !error.isEmpty()) lastError = error;
  osName_ = OsVersion();
  show();
  // Drawn before the scan; a command given meanwhile waits for the scan,
  // which may still be reading the fonts on another thread.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  ScanInstalledFonts(std::move(firstScan));
  if (isQuitting_) return;
  // The readings would take a core from the window while it draws the total.
  QTimer::singleShot(kAfterDrawingMs, List1, &FontNameList::PrepareSearch);
  tray_.AddTrayIcon(this, menus_.value(keys::kMainMenu));
  tray_.SetTrayTip(QStringLiteral("Quillmere"));
  if (!lastError.isEmpty())
    ShowMessage(this, QStringLiteral("打开错误：%1\r\n请与软件作者联系！").arg(lastError));
}

QString MainWindow::OsVersion() {
  const platform::OsDescription os = platform_.DescribeOs();
  Label7->setText(QString::fromStdString(os.caption));
  return QString::fromStdString(os.name);
}

void MainWindow::ScanInstalledFonts() { ScanInstalledFonts(std::future<InstalledFamilies>{}); }

void MainWindow::ScanInstalledFonts(std::future<InstalledFamilies> readAhead) {
  // A scan lets window events run; a second press meanwhile would fill the
  // list twice over.
  if (scanRunning_) return;
  scanRunning_ = true;
  stopRequested_ = false;
  const InstalledFamilies families =
      readAhead.valid() ? readAhead.get() : platform_.InstalledFamilies();
  // Faces are found and opened anew from what this scan read.
  faceFinder_.Forget();
  faceEngine_.Forget();
  FramePump pump;
  gui::ScanInstalledFonts(families, List1, Label1, pump);
  scanRunning_ = false;
}

ListedFamilies MainWindow::FamilyNames() const {
  ListedFamilies names;
  for (int row = 0; row < List1->count(); ++row) names << List1->Family(row);
  return names;
}

QString MainWindow::FontFileOf(const QByteArray& realName) const {
  return QString::fromStdString(catalogue::GetFontFileName(
      platform_.Registry(), osName_.toStdString(), realName.toStdString()));
}

void MainWindow::RemoveSelectedFontFiles() {
  if (fontFileTab_->RowCount() == 0) return;
  std::vector<ChosenFont> fonts;
  for (const FontFileTab::SelectedFile& file : fontFileTab_->SelectedFiles())
    fonts.push_back({file.path, file.family});
  RemoveFonts(platform_, fonts, this);
}

void MainWindow::RemoveSelectedFonts() {
  if (List1->count() == 0) return;
  std::vector<ChosenFont> fonts;
  for (int row = 0; row < List1->count(); ++row) {
    if (!List1->item(row)->isSelected()) continue;
    const ListedFamily family = List1->Family(row);
    std::string file = catalogue::GetFontFileName(platform_.Registry(), osName_.toStdString(),
                                                  family.real.toStdString());
    if (!file.empty()) fonts.push_back({std::move(file), family.shown});
  }
  RemoveFonts(platform_, fonts, this);
}

void MainWindow::ShowFontEffect() {
  const ListedFamily family = List1->ChosenFamily();
  if (family.real.isEmpty()) return;
  sheetTab_->ShowFontEffect(family, FontFileOf(family.real));
  coverageLine_->ShowFamily(family);
}

void MainWindow::OnList1Click(int row) {
  Label3->setText(OrdinalText(row));
  if (SSTab1->currentIndex() == kSheetTab)
    ShowFontEffect();
  else if (SSTab1->currentIndex() == kCustomTab)
    ShowOnCustomTab(List1->Family(row));
}

void MainWindow::ShowOnCustomTab(const ListedFamily& family) {
  customTab_->SetFace(family.Face());
  customTab_->MarkMissing(platform_.CharactersOf(family.real.toStdString()));
}

void MainWindow::ShowFamiliesForText() {
  FamiliesForText window(customTab_->CustomText(), List1, platform_, this);
  window.exec();
}

void MainWindow::SyncListToSheetLine(int line) {
  Label3->setText(OrdinalText(line));
  List1->Choose(line);
}

void MainWindow::OnTabSwitch(int tab) {
  if (tab == kFileTab) {
    QCoreApplication::processEvents();
    // A first load fills the family column itself.
    if (OpenFontsFolder()) return;
  } else {
    ShowTabStyles(tab);
    if (List1->ChosenRow() >= 0) {
      if (tab == kSheetTab)
        ShowFontEffect();
      else
        ShowOnCustomTab(List1->ChosenFamily());
    }
  }
  // The family column follows the last scan.
  FillFontNameColumn();
}

bool MainWindow::OpenFontsFolder() {
  SSTab1->setCurrentIndex(kFileTab);
  return fontFileTab_->OpenFontsFolder();
}

void MainWindow::LoadFontFileList(const QString& folder) { fontFileTab_->LoadFontFileList(folder); }

void MainWindow::FillFontNameColumn() { fontFileTab_->FillFontNameColumn(); }

bool MainWindow::FillingFontNames() const { return fontFileTab_->FillingFontNames(); }

const TextStyleFlags& MainWindow::SheetStyle() const { return sheetTab_->Flags(); }

const TextStyleFlags& MainWindow::CustomStyle() const { return customTab_->Flags(); }

void MainWindow::ShowTabStyles(int tab) {
  const TextStyleFlags& flags = StyledTab(tab)->Flags();
  Button(keys::kBold)->setChecked(flags.bold);
  Button(keys::kItalic)->setChecked(flags.italic);
  Button(keys::kUnderline)->setChecked(flags.underline);
  Button(flags.centred ? keys::kCentre : keys::kAlignLeft)->setChecked(true);
  for (const TabTip& tip : kTabTips)
    Button(tip.key)->setToolTip(TipWithShortcut(
        QString::fromUtf8(tab == kSheetTab ? tip.sheet : tip.custom), Button(tip.key)->shortcut()));
}

StyledTextTab* MainWindow::StyledTab(int tab) const {
  if (tab == kSheetTab) return sheetTab_;
  if (tab == kCustomTab) return customTab_;
  return nullptr;
}

void MainWindow::BuildSampleSheet() {
  SSTab1->setCurrentIndex(kSheetTab);
  ShowTabStyles(kSheetTab);
  sheetTab_->BuildSampleSheet(FamilyNames());
}

void MainWindow::SetWholeTextStyle(QAction* button, TextStyle style) {
  if (StyledTextTab* tab = StyledTab(SSTab1->currentIndex()))
    tab->SetStyle(style, button->isChecked());
}

void MainWindow::SetAlignment(bool centred) {
  Button(centred ? keys::kCentre : keys::kAlignLeft)->setChecked(true);
  StyledTextTab* tab = StyledTab(SSTab1->currentIndex());
  if (!tab) return;
  tab->SetAlignment(centred);
  Button(keys::kUnderline)->setChecked(tab->Flags().underline);
}

void MainWindow::ChooseTextColor() {
  // A cancelled dialog applies the colour chosen before again, as a style's
  // button applies the style the tab has; black is a colour like another.
  if (const QColor chosen = ChooseColour(cd2Colour_, this); chosen.isValid()) cd2Colour_ = chosen;
  if (StyledTextTab* tab = StyledTab(SSTab1->currentIndex())) tab->SetColour(cd2Colour_);
}

std::unique_ptr<QTextDocument> MainWindow::PrintableText() const {
  const StyledTextTab* tab = StyledTab(SSTab1->currentIndex());
  if (!tab) return nullptr;
  std::unique_ptr<QTextDocument> text = tab->TextCopy(false);
  return text && HasPrintableText(text->toPlainText()) ? std::move(text) : nullptr;
}

void MainWindow::PrintSamples() {
  QCoreApplication::processEvents();
  if (const std::unique_ptr<QTextDocument> whole = PrintableText()) {
    const std::unique_ptr<QTextDocument> selected =
        StyledTab(SSTab1->currentIndex())->TextCopy(true);
    const FaceBlockPainter faces(faceEngine_, faceFinder_, true);
    PrintThroughDialog(this, *whole, selected.get(), &faces);
  }
}

void MainWindow::PrintPreview() {
  QCoreApplication::processEvents();
  std::unique_ptr<QTextDocument> shown = PrintableText();
  if (!shown) return;
  // A selection is previewed alone, with its formatting.
  if (std::unique_ptr<QTextDocument> selected = StyledTab(SSTab1->currentIndex())->TextCopy(true))
    shown = std::move(selected);
  const FaceBlockPainter faces(faceEngine_, faceFinder_, true);
  RenderRichTextPages(this, *shown, kPrintSideMargin, kPrintEndMargin, kPrintSideMargin,
                      kPrintEndMargin, kPortraitPages, &faces);
}

void MainWindow::OpenFindList() {
  FindList dialog(List1, this);
  dialog.exec();
}

void MainWindow::OpenMakerPage(const char* path) {
  platform_.ShellOpen(MakerAddress(path).toStdString());
}

void MainWindow::ShowAboutBox() {
  AboutBox box(platform_, this);
  box.exec();
}

void MainWindow::OpenInstallDialog() {
  OpenFolder dialog(catalogue::GetFontsFolder(platform_.Registry()),
                    platform::CreateFontResources(), this);
  dialog.exec();
}

void MainWindow::OpenFontSizeDialog() {
  SetCallingForm(this);
  FontSizef dialog(this);
  dialog.exec();
}

void MainWindow::ApplySampleFontSize(qint16 size) {
  sampleFontSize_ = size;
  if (StyledTextTab* tab = StyledTab(SSTab1->currentIndex())) tab->SetSize(size);
}

ListedFamilies MainWindow::SelectedFamilies() const {
  ListedFamilies selected;
  for (int row = 0; row < List1->count(); ++row)
    if (List1->item(row)->isSelected()) selected << List1->Family(row);
  return selected;
}

void MainWindow::CompareSelectedFonts() {
  if (!yh_) {
    yh_ = new CompareWindow(
        {[this] { return SelectedFamilies(); }, [this] { return customTab_->CustomText(); },
         [this] { return sampleFontSize_; }, [this](qint16 size) { sampleFontSize_ = size; }},
        faceEngine_, faceFinder_, this);
  }
  yh_->Compare();
}

void MainWindow::SaveAsWebPageFile() {
  if (sheetTab_->SheetEmpty()) return;
  gui::SaveAsWebPageFile(this, FamilyNames(), sampleFontSize_);
}

void MainWindow::PopUp(const char* menu) {
  menus_.value(QString::fromUtf8(menu))->popup(QCursor::pos());
}

void MainWindow::BeginExit() { Timer1->start(); }

void MainWindow::Exit() {
  isQuitting_ = true;
  stopRequested_ = true;
  tray_.RemoveTrayIcon();
  close();
}

// The list's width kept from before is given back once the window has its
// size: given earlier, the window's first size would stretch it.
void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (std::exchange(listWidthRestored_, true)) return;
  QSettings settings;
  settings.beginGroup(QString::fromUtf8(system::kSettingsSection));
  auto* columns = findChild<QSplitter*>(QStringLiteral("Splitter1"));
  if (const int width = settings.value(QString::fromUtf8(kListWidthKey)).toInt(); width > 0)
    columns->setSizes({width, std::max(1, columns->width() - width)});
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (isQuitting_) {
    event->accept();
    QCoreApplication::quit();
    return;
  }
  // Without a notification area a hidden window could not be brought back.
  event->ignore();
  if (trayAvailable_())
    hide();
  else
    showMinimized();
}

}  // namespace qm::gui
