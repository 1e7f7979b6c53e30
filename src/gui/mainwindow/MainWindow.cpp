#include "gui/mainwindow/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "gui/mainwindow/Commands.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FontNameList.h"
#include "gui/common/FramePump.h"
#include "gui/common/Icons.h"
#include "gui/common/NamedWidgets.h"
#include "core/system/SampleFontSize.h"
#include "gui/find/FindList.h"
#include "gui/fontfiles/FontFileTab.h"
#include "core/catalogue/FontTable.h"
#include "gui/mainwindow/InstalledFontScan.h"
#include "gui/sheet/FontSample.h"
#include "gui/sheet/SampleSheet.h"

namespace qm::gui {
namespace {

const QString kTitle = QStringLiteral("Quillmere-Brindlewood");
const QString kUsageText = QStringLiteral(
    "使用方法：\r\n1、扫描：扫描系统所有字体名称\r\n2、字型：显示所有字体的实际字型");
const QString kCustomText = QStringLiteral("请在此输入您的文字，看看各种效果！");

constexpr int kSheetTab = 0;
constexpr int kFileTab = 1;
constexpr int kCustomTab = 2;

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
  auto* columns = new QHBoxLayout;
  columns->addWidget(SetupFontNameFrame());
  SSTab1 = new QTabWidget(central);
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  SSTab1->setFont(QFont(gui::kBaseFace, 9));
  SSTab1->addTab(SetupSampleTab(), QStringLiteral("字型列表"));
  fontFileTab_ = new gui::FontFileTab(
      platform_,
      {[this] {
         QStringList names;
         for (int row = 0; row < List1->count(); ++row) names << List1->item(row)->text();
         return names;
       },
       [this](const QString& family) {
         return QString::fromStdString(catalogue::GetFontFileName(
             platform_.Registry(), osName_.toStdString(), family.toStdString()));
       }},
      SSTab1);
  SSTab1->addTab(fontFileTab_, QStringLiteral("字体文件名列表"));
  SSTab1->addTab(SetupCustomTab(), QStringLiteral("自定义"));
  columns->addWidget(SSTab1, 1);

  auto* bottom = new QHBoxLayout;
  Label7 = NamedLabel(QStringLiteral("Label7"), QString(), central);
  Label4 = NamedLabel(QStringLiteral("Label4"), QString(), central);
  bottom->addWidget(Label7, 1);
  bottom->addWidget(Label4);

  auto* rows = new QVBoxLayout(central);
  rows->addLayout(columns, 1);
  rows->addLayout(bottom);
  setCentralWidget(central);

  // A hidden scratch box for copies of rich text.
  RichTextBox4 = new QTextEdit(this);
  RichTextBox4->setObjectName(QStringLiteral("RichTextBox4"));
  RichTextBox4->hide();
  gui::SetBaseFormat(RichTextBox4);
}

QGroupBox* MainWindow::SetupFontNameFrame() {
  auto* frame = new QGroupBox(QStringLiteral("系统字体名列表"), this);
  frame->setObjectName(QStringLiteral("Frame1"));
  List1 = new FontNameList(frame);
  List1->setObjectName(QStringLiteral("List1"));
  QFont listFont(gui::kBaseFace);
  listFont.setPointSizeF(10.5);  // QFont's integer size would make it 10
  List1->setFont(listFont);
  List1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // Long names scroll into view sideways.
  List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  List1->setMinimumWidth(220);
  Label1 = NamedLabel(QStringLiteral("Label1"), QStringLiteral("0/0"), frame);
  Label3 = NamedLabel(QStringLiteral("Label3"), QStringLiteral("第0种字体"), frame);
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(List1, 1);
  layout->addWidget(Label1);
  layout->addWidget(Label3);
  return frame;
}

QWidget* MainWindow::SetupSampleTab() {
  auto* tab = new QWidget;
  RichTextBox1 = new QTextEdit(tab);
  RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
  gui::SetBaseFormat(RichTextBox1);
  RichTextBox2 = new QPlainTextEdit(tab);
  RichTextBox2->setObjectName(QStringLiteral("RichTextBox2"));
  // The box's own font, so that the tab's smaller font does not reach it.
  RichTextBox2->setFont(QFont(gui::kBaseFace, gui::kBasePointSize));
  RichTextBox2->setUndoRedoEnabled(false);  // a sheet of thousands of lines is rebuilt, not edited
  RichTextBox2->viewport()->installEventFilter(this);
  sheetPrefetcher_ = new gui::SheetFacePrefetcher(RichTextBox2);
  Label2 = NamedLabel(QStringLiteral("Label2"), QStringLiteral("0/0"), tab);
  auto* footer = new QHBoxLayout;
  footer->addWidget(Label2);
  footer->addStretch(1);
  footer->addWidget(PictureLabel(QStringLiteral("Image3"),
                                 ThemeOrStandardIcon("text-html", QStyle::SP_FileIcon), tab));
  footer->addWidget(NamedButton(QStringLiteral("Command3"), QStringLiteral("保存为网页文件"), tab));
  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(RichTextBox1, 2);
  layout->addWidget(RichTextBox2, 3);
  layout->addLayout(footer);
  return tab;
}

QWidget* MainWindow::SetupCustomTab() {
  auto* tab = new QWidget;
  RichTextBox3 = new QTextEdit(tab);
  RichTextBox3->setObjectName(QStringLiteral("RichTextBox3"));
  gui::SetBaseFormat(RichTextBox3);
  RichTextBox3->setPlainText(kCustomText);
  auto* footer = new QHBoxLayout;
  footer->addWidget(PictureLabel(QStringLiteral("Image2"),
                                 ThemeOrStandardIcon("accessories-text-editor",
                                                     QStyle::SP_FileDialogDetailedView),
                                 tab));
  footer->addStretch(1);
  footer->addWidget(NamedButton(QStringLiteral("Command2"), QStringLiteral("所有选中字体比较"), tab));
  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(RichTextBox3, 1);
  layout->addLayout(footer);
  return tab;
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
    button->setToolTip(QString::fromUtf8(entry.tip));
    button->setCheckable(entry.kind != ButtonKind::Push);
    if (entry.kind == ButtonKind::Alignment) alignmentGroup_->addAction(button);
    toolbarButtons_.append(button);
  }
  ToolbarButton(15)->setChecked(true);
}

void MainWindow::SetupMenus() {
  // The menus never show in a menu bar; each pops up where it is asked for.
  menuBar()->hide();
  for (const MenuLayout& layout : kMenus) {
    auto* menu = new QMenu(QString::fromUtf8(layout.caption), this);
    for (const char* item : layout.items) {
      if (item)
        menu->addAction(QString::fromUtf8(item));
      else
        menu->addSeparator();
    }
    menus_.append(menu);
  }
  mainMenu_ = PopupMenu(QStringLiteral("菜单"));
}

QAction* MainWindow::ToolbarButton(int position) const {
  return position >= 1 && position <= toolbarButtons_.size() ? toolbarButtons_[position - 1]
                                                             : nullptr;
}

QMenu* MainWindow::PopupMenu(const QString& caption) const {
  for (QMenu* menu : menus_)
    if (menu->title() == caption) return menu;
  return nullptr;
}

void MainWindow::SetupConnections() {
  connect(List1, &FontNameList::FamilyChosen, this, &MainWindow::OnList1Click);
  connect(SSTab1, &QTabWidget::currentChanged, this, &MainWindow::OnTabSwitch);
  connect(tbToolBar, &QToolBar::actionTriggered, this, &MainWindow::OnToolbarButton);
  for (QAction* item : mainMenu_->actions()) {
    if (item->text() == QStringLiteral("退出"))
      connect(item, &QAction::triggered, this, &MainWindow::BeginExit);
  }
  connect(fontFileTab_, &gui::FontFileTab::ContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu(QStringLiteral("字体文件夹"))->popup(at); });
  List1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(List1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    PopupMenu(QStringLiteral("list菜单"))->popup(List1->viewport()->mapToGlobal(at));
  });
  for (QAction* item : PopupMenu(QStringLiteral("字体"))->actions()) {
    if (item->text() == QStringLiteral("字体颜色"))
      connect(item, &QAction::triggered, this, &MainWindow::ChooseTextColor);
  }
}

void MainWindow::SwitchOffWordWrap() {
  for (QTextEdit* box : {RichTextBox1, RichTextBox3, RichTextBox4})
    box->setLineWrapMode(QTextEdit::NoWrap);
  RichTextBox2->setLineWrapMode(QPlainTextEdit::NoWrap);
}

QString MainWindow::ReadSampleFontSize() {
  QSettings settings;
  settings.beginGroup(QString::fromUtf8(system::kSettingsSection));
  const QString text =
      settings.value(QString::fromUtf8(system::kFontSizeKey), QString::fromUtf8(system::kDefaultFontSize))
          .toString();
  const system::FontSizeReading reading = system::ParseSampleFontSize(text.toStdString());
  if (!reading.ok) return QString::fromStdString(reading.error);
  // A size no text can have keeps the default, which the pages and
  // comparisons can use.
  if (reading.value > 0) sampleFontSize_ = reading.value;
  return {};
}

void MainWindow::Startup() {
  QString lastError;
  RichTextBox1->setPlainText(kUsageText);
  stopRequested_ = true;
  if (QString error = ReadSampleFontSize(); !error.isEmpty()) lastError = error;
  SwitchOffWordWrap();
  osName_ = OsVersion();
  show();
  QCoreApplication::processEvents();
  ScanInstalledFonts();
  if (isQuitting_) return;
  tray_.AddTrayIcon(this, mainMenu_);
  tray_.SetTrayTip(QStringLiteral("Quillmere"));
  if (!lastError.isEmpty())
    ShowMessage(this, QStringLiteral("打开错误：%1\r\n请与软件作者联系！").arg(lastError));
}

QString MainWindow::OsVersion() {
  const platform::OsDescription os = platform_.DescribeOs();
  Label7->setText(QString::fromStdString(os.caption));
  return QString::fromStdString(os.name);
}

void MainWindow::ScanInstalledFonts() {
  // A scan lets window events run; a second press meanwhile would fill the
  // list twice over.
  if (scanRunning_) return;
  scanRunning_ = true;
  stopRequested_ = false;
  FramePump pump;
  gui::ScanInstalledFonts(platform_, List1, Label1, pump);
  scanRunning_ = false;
}

void MainWindow::ShowFontEffect() {
  const QString name = List1->ChosenName();
  if (name.isEmpty()) return;
  const std::string file =
      catalogue::GetFontFileName(platform_.Registry(), osName_.toStdString(), name.toStdString());
  gui::ShowFontEffect(RichTextBox1, name, QString::fromStdString(file));
}

void MainWindow::OnList1Click(int row) {
  Label3->setText(QStringLiteral("第%1种字体").arg(row + 1));
  if (SSTab1->currentIndex() == kSheetTab)
    ShowFontEffect();
  else if (SSTab1->currentIndex() == kCustomTab)
    gui::SetWholeTextFace(RichTextBox3, List1->item(row)->text());
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
        gui::SetWholeTextFace(RichTextBox3, List1->ChosenName());
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

void MainWindow::ShowTabStyles(int tab) {
  const gui::TextStyleFlags& flags = *StyleFlags(tab);
  ToolbarButton(12)->setChecked(flags.bold);
  ToolbarButton(13)->setChecked(flags.italic);
  ToolbarButton(14)->setChecked(flags.underline);
  ToolbarButton(flags.centred ? 16 : 15)->setChecked(true);
  for (const TabTip& tip : kTabTips)
    ToolbarButton(tip.position)->setToolTip(
        QString::fromUtf8(tab == kSheetTab ? tip.sheet : tip.custom));
}

QWidget* MainWindow::StyledBox(int tab) const {
  if (tab == kSheetTab) return RichTextBox2;
  if (tab == kCustomTab) return RichTextBox3;
  return nullptr;
}

gui::TextStyleFlags* MainWindow::StyleFlags(int tab) {
  if (tab == kSheetTab) return &sheetStyle_;
  if (tab == kCustomTab) return &customStyle_;
  return nullptr;
}

void MainWindow::OnToolbarButton(QAction* button) {
  const QString key = button->text();
  if (key == QStringLiteral("扫描"))
    ScanInstalledFonts();
  else if (key == QStringLiteral("字型"))
    BuildSampleSheet();
  else if (key == QStringLiteral("停止"))
    stopRequested_ = true;
  else if (key == QStringLiteral("查找"))
    OpenFindList();
  else if (key == QStringLiteral("打开"))
    fontFileTab_->OpenShownFolder();
  else if (key == QStringLiteral("打印"))
    PopUp(PopupMenu(QStringLiteral("打印菜单")));
  else if (key == QStringLiteral("黑体"))
    TextBold(button);
  else if (key == QStringLiteral("斜体"))
    TextItalic(button);
  else if (key == QStringLiteral("下划线"))
    TextUnderline(button);
  else if (key == QStringLiteral("左对齐"))
    TextAlignLeft();
  else if (key == QStringLiteral("置中"))
    TextCenter();
  else if (key == QStringLiteral("大小"))
    PopUp(PopupMenu(QStringLiteral("字体")));
  else if (key == QStringLiteral("帮助"))
    PopUp(mainMenu_);
}

void MainWindow::OpenFindList() {
  gui::FindList dialog(List1, this);
  dialog.exec();
}

void MainWindow::BuildSampleSheet() {
  // The build lets window events run; a second build meanwhile would
  // interleave its lines with the first one's.
  if (sheetRunning_) return;
  sheetRunning_ = true;
  SSTab1->setCurrentIndex(kSheetTab);
  RichTextBox2->setEnabled(false);
  QStringList names;
  for (int row = 0; row < List1->count(); ++row) names << List1->item(row)->text();
  stopRequested_ = false;
  ShowTabStyles(kSheetTab);
  FramePump pump;
  gui::BuildSampleSheet(RichTextBox2, names, sheetStyle_, Label2, pump,
                            [this] { return stopRequested_; });
  RichTextBox2->setEnabled(true);
  sheetPrefetcher_->Restart();
  sheetRunning_ = false;
}

void MainWindow::SyncListToSheetLine() {
  // Without word wrap every line of the sheet is one paragraph.
  const int line = RichTextBox2->textCursor().blockNumber();
  Label3->setText(QStringLiteral("第%1种字体").arg(line + 1));
  List1->Choose(line);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == RichTextBox2->viewport() && event->type() == QEvent::MouseButtonRelease)
    SyncListToSheetLine();
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::SetWholeTextStyle(QAction* button, gui::TextStyle style,
                                   bool gui::TextStyleFlags::*flag) {
  const int tab = SSTab1->currentIndex();
  QWidget* box = StyledBox(tab);
  if (!box) return;
  const bool on = button->isChecked();
  gui::SetWholeTextStyle(box, style, on);
  StyleFlags(tab)->*flag = on;
}

void MainWindow::TextBold(QAction* button) {
  SetWholeTextStyle(button, gui::TextStyle::Bold, &gui::TextStyleFlags::bold);
}

void MainWindow::TextItalic(QAction* button) {
  SetWholeTextStyle(button, gui::TextStyle::Italic, &gui::TextStyleFlags::italic);
}

void MainWindow::TextUnderline(QAction* button) {
  SetWholeTextStyle(button, gui::TextStyle::Underline, &gui::TextStyleFlags::underline);
}

void MainWindow::SetAlignment(bool centred) {
  ToolbarButton(centred ? 16 : 15)->setChecked(true);
  const int tab = SSTab1->currentIndex();
  QWidget* box = StyledBox(tab);
  if (!box) return;
  if (centred)
    gui::CentreWholeText(box);
  else
    gui::AlignWholeTextLeft(box);
  StyleFlags(tab)->centred = centred;
  ToolbarButton(14)->setChecked(StyleFlags(tab)->underline);
}

void MainWindow::TextAlignLeft() { SetAlignment(false); }

void MainWindow::TextCenter() { SetAlignment(true); }

void MainWindow::ChooseTextColor() {
  // A cancelled dialog keeps the last colour chosen but applies nothing;
  // black is never applied, as the dialog's value is black until a choice.
  const QColor chosen = ChooseColour(cd2Colour_, this);
  if (!chosen.isValid()) return;
  cd2Colour_ = chosen;
  if (cd2Colour_ == QColor(Qt::black)) return;
  if (QWidget* box = StyledBox(SSTab1->currentIndex()))
    gui::SetWholeTextColour(box, cd2Colour_);
}

void MainWindow::PopUp(QMenu* menu) { menu->popup(QCursor::pos()); }

void MainWindow::BeginExit() { Timer1->start(); }

void MainWindow::Exit() {
  isQuitting_ = true;
  stopRequested_ = true;  // a sample sheet being built ends after its line
  tray_.RemoveTrayIcon();
  close();
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
