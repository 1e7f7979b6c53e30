// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QSystemTrayIcon>
#include <QTabWidget>
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
#include "gui/find/FindList.h"
#include "gui/fontfiles/FontFileTab.h"
#include "gui/install/OpenFolder.h"
#include "gui/mainwindow/CommandBars.h"
#include "gui/mainwindow/Commands.h"
#include "gui/mainwindow/FontNameFrame.h"
#include "gui/mainwindow/InstalledFontScan.h"
#include "gui/mainwindow/TrayIcon.h"
#include "gui/removal/FontActions.h"
#include "gui/sheet/SheetTab.h"
#include "gui/sizedialog/FontSizef.h"

namespace qm::gui {
namespace {

constexpr int kSheetTab = 0;
constexpr int kFileTab = 1;
constexpr int kCustomTab = 2;

// A timer of this length runs after the window events already waiting, the
// drawing among them.
constexpr int kAfterDrawingMs = 1;

}  // namespace

MainWindow::MainWindow(platform::Platform& platform, FaceEngine& faces, QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      faceEngine_(faces),
      tray_(new TrayIcon(this)),
      trayAvailable_(&QSystemTrayIcon::isSystemTrayAvailable) {
  setObjectName(QStringLiteral("Main"));
  setWindowTitle(QStringLiteral("Quillmere-Brindlewood"));
  setWindowIcon(ApplicationIcon());
  SetupWidgets();
  tbToolBar = AddCommandToolbar(this);
  styles_ = std::make_unique<StyleButtons>(tbToolBar, [this] { return CurrentStyledTab(); });
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
  listFrame_ = new FontNameFrame(this);
  List1 = listFrame_->List();
  columns->addWidget(listFrame_);
  SSTab1 = new QTabWidget(central);
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  SSTab1->setFont(QFont(BaseFaceFamily(), 9));
  sheetTab_ = new SheetTab(faceEngine_, faceFinder_, SSTab1);
  SSTab1->addTab(sheetTab_, QStringLiteral("字型列表"));
  coverageLine_ = new CoverageLine(platform_, sheetTab_);
  sheetTab_->AddBelowSample(coverageLine_);
  fontFileTab_ = new FontFileTab(platform_,
                                 {[this] { return List1->Families(); },
                                  [this](const QByteArray& family) { return FontFileOf(family); }},
                                 SSTab1);
  SSTab1->addTab(fontFileTab_, QStringLiteral("字体文件名列表"));
  customTab_ = new CustomTextTab(SSTab1);
  SSTab1->addTab(customTab_, QStringLiteral("自定义"));
  columns->addWidget(SSTab1);
  columns->setStretchFactor(0, 1);
  columns->setStretchFactor(1, 3);
  settings_.KeepListWidth(columns);

  auto* bottom = new QHBoxLayout;
  Label7 = NamedLabel(QStringLiteral("Label7"), QString(), central);
  Label4 = NamedLabel(QStringLiteral("Label4"), QString(), central);
  bottom->addWidget(Label7, 1);
  bottom->addWidget(Label4);

  auto* rows = new QVBoxLayout(central);
  rows->addWidget(columns, 1);
  rows->addLayout(bottom);
  setCentralWidget(central);
}

void MainWindow::SetupMenus() {
  // The menus never show in a menu bar; each pops up where it is asked for.
  menuBar()->hide();
  menus_ = CreatePopupMenus(this);
  for (auto menu = menus_.cbegin(); menu != menus_.cend(); ++menu) {
    connect(*menu, &QMenu::triggered, this, [this, caption = menu.key()](QAction* item) {
      Route(MenuItemKey(caption, item->objectName()), item);
    });
  }
}

// Every command the toolbar and the menus reach, by key. A later command
// is one more row here.
void MainWindow::SetupCommands() {
  const auto menuItem = [](const char* menu, const char* item) {
    return MenuItemKey(QString::fromUtf8(menu), QString::fromUtf8(item));
  };
  const auto wholeText = [this](TextStyle style) {
    return [this, style](QAction* button) { styles_->SetWholeTextStyle(button, style); };
  };
  commands_ = {
      {keys::kScan, [this](QAction*) { ScanInstalledFonts(); }},
      {keys::kBuildSheet, [this](QAction*) { BuildSampleSheet(); }},
      {keys::kStop, [this](QAction*) { stopRequested_ = true; }},
      {keys::kFind, [this](QAction*) { FindList(List1, this).exec(); }},
      {keys::kPrint, [this](QAction*) { PopUp(keys::kPrintMenu); }},
      {keys::kOpenFolder, [this](QAction*) { fontFileTab_->OpenShownFolder(); }},
      {keys::kAdd, [this](QAction*) { OpenInstallDialog(); }},
      {keys::kBold, wholeText(TextStyle::Bold)},
      {keys::kItalic, wholeText(TextStyle::Italic)},
      {keys::kUnderline, wholeText(TextStyle::Underline)},
      {keys::kAlignLeft, [this](QAction*) { styles_->SetAlignment(false); }},
      {keys::kCentre, [this](QAction*) { styles_->SetAlignment(true); }},
      {keys::kSize, [this](QAction*) { PopUp(keys::kFontMenu); }},
      {keys::kDownload, [this](QAction*) { OpenMakerPage(maker_paths::kDownload); }},
      {keys::kHelp, [this](QAction*) { PopUp(keys::kMainMenu); }},
      {menuItem(keys::kMainMenu, keys::kAbout),
       [this](QAction*) { AboutBox(platform_, this).exec(); }},
      {menuItem(keys::kMainMenu, keys::kExit), [this](QAction*) { BeginExit(); }},
      {menuItem(keys::kFontMenu, keys::kFontColour),
       [this](QAction*) { styles_->ChooseTextColour(this); }},
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
      {menuItem(keys::kListMenu, keys::kRemoveFonts),
       [this](QAction*) { removal_.RemoveSelectedFamilies(*List1); }},
      {menuItem(keys::kFontFolderMenu, keys::kInstallNewFonts),
       [this](QAction*) { OpenInstallDialog(); }},
      {menuItem(keys::kPrintMenu, keys::kPrintSamples), [this](QAction*) { printing_.Print(); }},
      {menuItem(keys::kPrintMenu, keys::kPrintPreview), [this](QAction*) { printing_.Preview(); }},
      {menuItem(keys::kFontMenu, keys::kFontSize),
       [this](QAction*) {
         SetCallingForm(this);
         FontSizef(this).exec();
       }},
      {keys::kSaveAsWebPageFile,
       [this](QAction*) {
         if (!sheetTab_->SheetEmpty()) SaveAsWebPageFile(this, List1->Families(), sampleFontSize_);
       }},
      {keys::kCompareSelected, [this](QAction*) { CompareSelectedFonts(); }},
      {menuItem(keys::kListMenu, keys::kFamiliesForText),
       [this](QAction*) {
         FamiliesForText(customTab_->CustomText(), List1, platform_, this).exec();
       }},
  };
  for (const auto& [item, path] : kMakerPageItems)
    commands_.insert(menuItem(keys::kMainMenu, item),
                     [this, path](QAction*) { OpenMakerPage(path); });
}

void MainWindow::SetupConnections() {
  connect(List1, &FontNameList::FamilyChosen, this, &MainWindow::OnList1Click);
  connect(sheetTab_, &SheetTab::SheetLineClicked, this, &MainWindow::SyncListToSheetLine);
  connect(SSTab1, &QTabWidget::currentChanged, this, &MainWindow::OnTabSwitch);
  const auto routeTo = [this](const QString& key) { return [this, key] { Route(key, nullptr); }; };
  connect(sheetTab_, &SheetTab::SaveAsWebPageRequested, this,
          routeTo(QString::fromUtf8(keys::kSaveAsWebPageFile)));
  connect(customTab_, &CustomTextTab::CompareRequested, this,
          routeTo(QString::fromUtf8(keys::kCompareSelected)));
  connect(customTab_, &CustomTextTab::FamiliesForTextRequested, this,
          routeTo(MenuItemKey(QString::fromUtf8(keys::kListMenu),
                              QString::fromUtf8(keys::kFamiliesForText))));
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

void MainWindow::Startup(std::future<InstalledFamilies> firstScan) {
  sheetTab_->ShowUsage();
  stopRequested_ = true;
  const QString sizeError = settings_.ReadSampleFontSize(sampleFontSize_);
  const platform::OsDescription os = platform_.DescribeOs();
  Label7->setText(QString::fromStdString(os.caption));
  osName_ = QString::fromStdString(os.name);
  show();
  // Drawn before the scan; a command given meanwhile waits for the scan,
  // which may still be reading the fonts on another thread.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  ScanInstalledFonts(std::move(firstScan));
  if (isQuitting_) return;
  // The readings would take a core from the window while it draws the total.
  QTimer::singleShot(kAfterDrawingMs, List1, &FontNameList::PrepareSearch);
  tray_->AddTrayIcon(this, menus_.value(keys::kMainMenu));
  tray_->SetTrayTip(QStringLiteral("Quillmere"));
  if (!sizeError.isEmpty())
    ShowMessage(this, QStringLiteral("打开错误：%1\r\n请与软件作者联系！").arg(sizeError));
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
  gui::ScanInstalledFonts(families, List1, listFrame_->Count(), pump);
  scanRunning_ = false;
}

QString MainWindow::FontFileOf(const QByteArray& realName) const {
  return QString::fromStdString(catalogue::GetFontFileName(
      platform_.Registry(), osName_.toStdString(), realName.toStdString()));
}

void MainWindow::RemoveSelectedFontFiles() {
  if (fontFileTab_->RowCount() == 0) return;
  std::vector<ChosenFont> files;
  for (const FontFileTab::SelectedFile& file : fontFileTab_->SelectedFiles())
    files.push_back({file.path, file.family});
  removal_.RemoveFiles(files);
}

void MainWindow::ShowFontEffect() {
  const ListedFamily family = List1->ChosenFamily();
  if (family.real.isEmpty()) return;
  sheetTab_->ShowFontEffect(family, FontFileOf(family.real));
  coverageLine_->ShowFamily(family);
}

void MainWindow::OnList1Click(int row) {
  listFrame_->ShowOrdinal(row);
  if (SSTab1->currentIndex() == kSheetTab)
    ShowFontEffect();
  else if (SSTab1->currentIndex() == kCustomTab)
    ShowOnCustomTab(List1->Family(row));
}

void MainWindow::ShowOnCustomTab(const ListedFamily& family) {
  customTab_->SetFace(family.Face());
  customTab_->MarkMissing(platform_.CharactersOf(family.real.toStdString()));
}

void MainWindow::SyncListToSheetLine(int line) {
  listFrame_->ShowOrdinal(line);
  List1->Choose(line);
}

void MainWindow::OnTabSwitch(int tab) {
  if (tab == kFileTab) {
    QCoreApplication::processEvents();
    // A first load fills the family column itself.
    if (fontFileTab_->OpenFontsFolder()) return;
  } else {
    styles_->ShowTabStyles(*StyledTab(tab), tab == kSheetTab);
    if (List1->ChosenRow() >= 0) {
      if (tab == kSheetTab)
        ShowFontEffect();
      else
        ShowOnCustomTab(List1->ChosenFamily());
    }
  }
  // The family column follows the last scan.
  fontFileTab_->FillFontNameColumn();
}

StyledTextTab* MainWindow::StyledTab(int tab) const {
  if (tab == kSheetTab) return sheetTab_;
  if (tab == kCustomTab) return customTab_;
  return nullptr;
}

StyledTextTab* MainWindow::CurrentStyledTab() const { return StyledTab(SSTab1->currentIndex()); }

void MainWindow::BuildSampleSheet() {
  SSTab1->setCurrentIndex(kSheetTab);
  styles_->ShowTabStyles(*sheetTab_, true);
  sheetTab_->BuildSampleSheet(List1->Families());
}

void MainWindow::OpenMakerPage(const char* path) {
  platform_.ShellOpen(MakerAddress(path).toStdString());
}

void MainWindow::OpenInstallDialog() {
  OpenFolder(catalogue::GetFontsFolder(platform_.Registry()), platform::CreateFontResources(), this)
      .exec();
}

void MainWindow::ApplySampleFontSize(qint16 size) {
  sampleFontSize_ = size;
  if (StyledTextTab* tab = CurrentStyledTab()) tab->SetSize(size);
}

void MainWindow::CompareSelectedFonts() {
  if (!yh_) {
    yh_ = new CompareWindow(
        {[this] { return List1->SelectedFamilies(); }, [this] { return customTab_->CustomText(); },
         [this] { return sampleFontSize_; }, [this](qint16 size) { sampleFontSize_ = size; }},
        faceEngine_, faceFinder_, this);
  }
  yh_->Compare();
}

void MainWindow::PopUp(const char* menu) {
  menus_.value(QString::fromUtf8(menu))->popup(QCursor::pos());
}

void MainWindow::BeginExit() { Timer1->start(); }

void MainWindow::Exit() {
  isQuitting_ = true;
  stopRequested_ = true;
  tray_->RemoveTrayIcon();
  close();
}

// The list's width kept from before is given back once the window has its
// size: given earlier, the window's first size would stretch it.
void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  settings_.RestoreListWidth(findChild<QSplitter*>(QStringLiteral("Splitter1")));
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
