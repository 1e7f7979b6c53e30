#include "app/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/FramePump.h"
#include "app/Icons.h"
#include "app/MessageBoxes.h"
#include "app/SampleFontSize.h"
#include "catalogue/FontTable.h"
#include "catalogue/InstalledFontScan.h"
#include "samples/FontSample.h"

namespace qm::app {
namespace {

const QString kTitle = QStringLiteral("Quillmere-Brindlewood");
const QString kUsageText = QStringLiteral(
    "使用方法：\r\n1、扫描：扫描系统所有字体名称\r\n2、字型：显示所有字体的实际字型");
const QString kCustomText = QStringLiteral("请在此输入您的文字，看看各种效果！");

enum class ButtonKind { Push, Check, Alignment };

struct ToolbarEntry {
  const char* key;  // nullptr for a separator
  const char* tip;
  ButtonKind kind;
  const char* themeIcon;
  QStyle::StandardPixmap standardIcon;
  const char* letter;  // drawn when the theme has no icon and the style has none fitting
};

constexpr QStyle::StandardPixmap kNoStandard = QStyle::SP_CustomBase;

const ToolbarEntry kToolbar[MainWindow::kToolbarPositions] = {
    {"扫描", "扫描系统字体", ButtonKind::Push, "view-refresh", QStyle::SP_BrowserReload, nullptr},
    {"字型", "列出所有字体的字型", ButtonKind::Push, "preferences-desktop-font",
     QStyle::SP_FileDialogDetailedView, nullptr},
    {"停止", "停止列出字型", ButtonKind::Push, "process-stop", QStyle::SP_BrowserStop, nullptr},
    {nullptr, nullptr, ButtonKind::Push, nullptr, kNoStandard, nullptr},
    {"查找", "在字体列表中查找字体名称", ButtonKind::Push, "edit-find",
     QStyle::SP_FileDialogContentsView, nullptr},
    {"打印", "打印字型列表", ButtonKind::Push, "document-print", QStyle::SP_FileIcon, nullptr},
    {nullptr, nullptr, ButtonKind::Push, nullptr, kNoStandard, nullptr},
    {"打开", "打开系统字体文件夹", ButtonKind::Push, "folder-open", QStyle::SP_DirOpenIcon, nullptr},
    {"添加", "添加字体文件", ButtonKind::Push, "list-add", QStyle::SP_FileDialogNewFolder, nullptr},
    {"删除", "卸载并删除字体文件", ButtonKind::Push, "edit-delete", QStyle::SP_TrashIcon, nullptr},
    {nullptr, nullptr, ButtonKind::Push, nullptr, kNoStandard, nullptr},
    {"黑体", "设置字型列表文字为黑体", ButtonKind::Check, "format-text-bold", kNoStandard, "B"},
    {"斜体", "设置字型列表文字为斜体", ButtonKind::Check, "format-text-italic", kNoStandard, "I"},
    {"下划线", "设置字型列表文字为下划线", ButtonKind::Check, "format-text-underline", kNoStandard,
     "U"},
    {"左对齐", "设置字型列表文字左对齐", ButtonKind::Alignment, "format-justify-left", kNoStandard,
     "≡"},
    {"置中", "设置字型列表文字置中", ButtonKind::Alignment, "format-justify-center", kNoStandard,
     "☰"},
    {"大小", "设置字型列表文字大小和颜色", ButtonKind::Push, "format-font-size-more", kNoStandard,
     "A"},
    {nullptr, nullptr, ButtonKind::Push, nullptr, kNoStandard, nullptr},
    {"下载", "网络下载新的字体", ButtonKind::Push, "go-down", QStyle::SP_ArrowDown, nullptr},
    {"帮助", "帮助和关于", ButtonKind::Push, "help-about", QStyle::SP_DialogHelpButton, nullptr},
};

QIcon IconFor(const ToolbarEntry& entry) {
  if (!entry.letter) return ThemeOrStandardIcon(entry.themeIcon, entry.standardIcon);
  QFont font;
  const QString letter = QString::fromUtf8(entry.letter);
  font.setBold(letter == QLatin1String("B"));
  font.setItalic(letter == QLatin1String("I"));
  font.setUnderline(letter == QLatin1String("U"));
  return ThemeOrLetterIcon(entry.themeIcon, letter, font);
}

struct MenuSpec {
  const char* caption;
  QVector<const char*> items;  // nullptr for a separator
};

const QVector<MenuSpec> kMenus = {
    {"菜单", {"作者主页", "作者的其他软件", "最新版本", "帮助", "关于", nullptr, "退出"}},
    {"字体", {"字体大小", "字体颜色"}},
    {"字体文件夹",
     {"文件属性", "查看字体文件", nullptr, "卸载并删除字体文件", "安装新的字体"}},
    {"打印菜单", {"打印...", "打印预览"}},
    {"list菜单", {"卸载和删除字体"}},
};

QLabel* NamedLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QLabel* PictureLabel(const QString& name, const QIcon& icon, QWidget* parent) {
  QLabel* label = NamedLabel(name, QString(), parent);
  label->setPixmap(icon.pixmap(32, 32));
  return label;
}

QPushButton* NamedButton(const QString& name, const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

MainWindow::MainWindow(platform::Platform& platform, QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      trayAvailable_(QSystemTrayIcon::isSystemTrayAvailable()) {
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
  SSTab1->setFont(QFont(samples::kBaseFace, 9));
  SSTab1->addTab(SetupSampleTab(), QStringLiteral("字型列表"));
  SSTab1->addTab(SetupFileTab(), QStringLiteral("字体文件名列表"));
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
  samples::SetBaseFormat(RichTextBox4);
}

QGroupBox* MainWindow::SetupFontNameFrame() {
  auto* frame = new QGroupBox(QStringLiteral("系统字体名列表"), this);
  frame->setObjectName(QStringLiteral("Frame1"));
  List1 = new QListWidget(frame);
  List1->setObjectName(QStringLiteral("List1"));
  List1->setFont(QFont(samples::kBaseFace, 10.5));
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
  samples::SetBaseFormat(RichTextBox1);
  RichTextBox2 = new QPlainTextEdit(tab);
  RichTextBox2->setObjectName(QStringLiteral("RichTextBox2"));
  RichTextBox2->document()->setDefaultFont(QFont(samples::kBaseFace, samples::kBasePointSize));
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

QWidget* MainWindow::SetupFileTab() {
  auto* tab = new QWidget;
  Label5 = NamedLabel(QStringLiteral("Label5"), QStringLiteral("字体文件夹路径"), tab);
  auto* icons = new QRadioButton(QStringLiteral("图标"), tab);
  icons->setObjectName(QStringLiteral("Option1"));
  auto* report = new QRadioButton(QStringLiteral("列表"), tab);
  report->setObjectName(QStringLiteral("Option2"));
  report->setChecked(true);
  auto* header = new QHBoxLayout;
  header->addWidget(Label5, 1);
  header->addWidget(icons);
  header->addWidget(report);
  header->addWidget(NamedButton(QStringLiteral("Command1"), QStringLiteral("刷新"), tab));

  ListView1 = new QTreeWidget(tab);
  ListView1->setObjectName(QStringLiteral("ListView1"));
  ListView1->setRootIsDecorated(false);
  ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListView1->setHeaderLabels({QStringLiteral("文件名"), QStringLiteral("字体名"),
                              QStringLiteral("大小(KB)"), QStringLiteral("修改时间")});

  Label6 = NamedLabel(QStringLiteral("Label6"), QStringLiteral("0"), tab);
  auto* footer = new QHBoxLayout;
  footer->addWidget(PictureLabel(QStringLiteral("Image1"),
                                 ThemeOrStandardIcon("folder", QStyle::SP_DirIcon), tab));
  footer->addWidget(Label6, 1);
  auto* layout = new QVBoxLayout(tab);
  layout->addLayout(header);
  layout->addWidget(ListView1, 1);
  layout->addLayout(footer);
  return tab;
}

QWidget* MainWindow::SetupCustomTab() {
  auto* tab = new QWidget;
  RichTextBox3 = new QTextEdit(tab);
  RichTextBox3->setObjectName(QStringLiteral("RichTextBox3"));
  samples::SetBaseFormat(RichTextBox3);
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
    QAction* button = tbToolBar->addAction(IconFor(entry), QString::fromUtf8(entry.key));
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
  for (const MenuSpec& spec : kMenus) {
    auto* menu = new QMenu(QString::fromUtf8(spec.caption), this);
    for (const char* item : spec.items) {
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
  connect(List1, &QListWidget::currentRowChanged, this, &MainWindow::OnList1Click);
  connect(SSTab1, &QTabWidget::currentChanged, this, &MainWindow::OnTabSwitch);
  connect(tbToolBar, &QToolBar::actionTriggered, this, &MainWindow::OnToolbarButton);
  for (QAction* item : mainMenu_->actions()) {
    if (item->text() == QStringLiteral("退出"))
      connect(item, &QAction::triggered, this, &MainWindow::BeginExit);
  }
}

void MainWindow::SwitchOffWordWrap() {
  for (QTextEdit* box : {RichTextBox1, RichTextBox3, RichTextBox4})
    box->setLineWrapMode(QTextEdit::NoWrap);
  RichTextBox2->setLineWrapMode(QPlainTextEdit::NoWrap);
}

QString MainWindow::ReadSampleFontSize() {
  QSettings settings;
  settings.beginGroup(QString::fromUtf8(kSettingsSection));
  const QString text =
      settings.value(QString::fromUtf8(kFontSizeKey), QString::fromUtf8(kDefaultFontSize))
          .toString();
  const FontSizeReading reading = ParseSampleFontSize(text.toStdString());
  if (!reading.ok) return QString::fromStdString(reading.error);
  sampleFontSize_ = reading.value;
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
  catalogue::ScanInstalledFonts(platform_, List1, Label1, pump);
  scanRunning_ = false;
}

void MainWindow::ShowFontEffect() {
  QListWidgetItem* current = List1->currentItem();
  if (!current) return;
  const QString name = current->text();
  const std::string file =
      catalogue::GetFontFileName(platform_.Registry(), osName_.toStdString(), name.toStdString());
  samples::ShowFontEffect(RichTextBox1, name, QString::fromStdString(file));
}

void MainWindow::OnList1Click(int row) {
  if (row < 0) return;
  Label3->setText(QStringLiteral("第%1种字体").arg(row + 1));
  if (SSTab1->currentIndex() == 0)
    ShowFontEffect();
  else if (SSTab1->currentIndex() == 2)
    samples::SetWholeTextFace(RichTextBox3, List1->item(row)->text());
}

void MainWindow::OnTabSwitch(int tab) {
  if (List1->currentRow() < 0) return;
  if (tab == 0)
    ShowFontEffect();
  else if (tab == 2)
    samples::SetWholeTextFace(RichTextBox3, List1->currentItem()->text());
}

void MainWindow::OnToolbarButton(QAction* button) {
  const QString key = button->text();
  if (key == QStringLiteral("扫描"))
    ScanInstalledFonts();
  else if (key == QStringLiteral("停止"))
    stopRequested_ = true;
  else if (key == QStringLiteral("打印"))
    PopUp(PopupMenu(QStringLiteral("打印菜单")));
  else if (key == QStringLiteral("大小"))
    PopUp(PopupMenu(QStringLiteral("字体")));
  else if (key == QStringLiteral("帮助"))
    PopUp(mainMenu_);
}

void MainWindow::PopUp(QMenu* menu) { menu->popup(QCursor::pos()); }

void MainWindow::BeginExit() { Timer1->start(); }

void MainWindow::Exit() {
  isQuitting_ = true;
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
  if (trayAvailable_)
    hide();
  else
    showMinimized();
}

}  // namespace qm::app
