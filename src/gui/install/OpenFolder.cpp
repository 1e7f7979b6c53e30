// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/install/OpenFolder.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/platform/FontFileCheck.h"
#include "gui/common/ApplicationFonts.h"
#include "gui/common/Dialogs.h"
#include "gui/common/NamedWidgets.h"

namespace qm::gui {
namespace {

// Work done in slices of this length keeps the window's pauses short.
constexpr qint64 kSliceMs = 15;

QString FontNamesText(const platform::FontFileCheck& check) {
  if (check.faces == 0)
    return QStringLiteral("（不能使用：%1）").arg(QString::fromStdString(check.problem));
  QStringList families;
  for (const std::string& family : check.families) families << QString::fromStdString(family);
  return families.join(QStringLiteral(", "));
}

// File names as the system holds them, whatever the locale's encoding.
std::string SystemPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

OpenFolder::OpenFolder(std::string fontsFolder, std::unique_ptr<platform::FontResources> resources,
                       QWidget* parent, FolderTreeSources sources)
    : QDialog(parent), fontsFolder_(std::move(fontsFolder)), resources_(std::move(resources)) {
  setObjectName(QStringLiteral("OpenFolder"));
  setWindowTitle(QStringLiteral("字体浏览、字体安装--Quillmere"));
  setWindowFlags(Qt::Dialog | Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  usrDir1 = new UsrDir(this, std::move(sources));
  SetupWidgets();
  SetupLayout();
  namesTimer_ = new QTimer(this);
  namesTimer_->setInterval(0);
  connect(namesTimer_, &QTimer::timeout, this, &OpenFolder::FillNextFontNames);
  connect(usrDir1, &UsrDir::Click, this, &OpenFolder::OnFolderChange);
  connect(File1, &QListWidget::currentRowChanged, this, &OpenFolder::ShowSample);
  connect(Command1, &QPushButton::clicked, this, &OpenFolder::SelectAll);
  connect(Command2, &QPushButton::clicked, this, &OpenFolder::Install);
  connect(Command3, &QPushButton::clicked, this, &OpenFolder::Close);
}

OpenFolder::~OpenFolder() {
  stopInstall_ = true;
  if (worker_.joinable()) worker_.join();
  if (sampleFontId_ >= 0) QFontDatabase::removeApplicationFont(sampleFontId_);
}

void OpenFolder::SetupWidgets() {
  Label1 = NamedLabel(QStringLiteral("Label1"), QStringLiteral("/"), this);
  Label5 = NamedLabel(QStringLiteral("Label5"), QStringLiteral("文件名："), this);
  File1 = new QListWidget(this);
  File1->setObjectName(QStringLiteral("File1"));
  File1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  Label6 = NamedLabel(QStringLiteral("Label6"), QStringLiteral("字体名："), this);
  List1 = new QListWidget(this);
  List1->setObjectName(QStringLiteral("List1"));
  List1->setSelectionMode(QAbstractItemView::NoSelection);
  RichTextBox1 = new QTextEdit(QStringLiteral("字体示例"), this);
  RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
  RichTextBox1->setReadOnly(true);
  Command1 = NamedButton(QStringLiteral("Command1"), QStringLiteral("全选"), this);
  Command2 = NamedButton(QStringLiteral("Command2"), QStringLiteral("安装"), this);
  Check1 = new QCheckBox(QStringLiteral("复制到字体文件夹"), this);
  Check1->setObjectName(QStringLiteral("Check1"));
  Check1->setChecked(true);
  Label4 = NamedLabel(QStringLiteral("Label4"), QStringLiteral("(不重复安装)"), this);
  Label2 = NamedLabel(QStringLiteral("Label2"), QStringLiteral("安装进度："), this);
  Label3 = NamedLabel(QStringLiteral("Label3"), QStringLiteral("0/0"), this);
  Label3->setAlignment(Qt::AlignCenter);
  Command3 = NamedButton(QStringLiteral("Command3"), QStringLiteral("关闭"), this);
  Command2->setAutoDefault(false);
  Command3->setAutoDefault(false);
}

void OpenFolder::SetupLayout() {
  auto* layout = new QGridLayout(this);
  layout->addWidget(Label1, 0, 0);
  layout->addWidget(usrDir1, 1, 0, 4, 1);
  layout->addWidget(Label5, 0, 1);
  layout->addWidget(File1, 1, 1);
  layout->addWidget(Label6, 0, 2);
  layout->addWidget(List1, 1, 2);
  layout->addWidget(RichTextBox1, 2, 1, 3, 2);
  auto* buttons = new QVBoxLayout;
  for (QWidget* control : std::initializer_list<QWidget*>{Command1, Command2, Check1, Label4,
                                                          Label2, Label3, Command3})
    buttons->addWidget(control);
  buttons->addStretch(1);
  layout->addLayout(buttons, 1, 3, 4, 1);
  // The order of the controls under the Tab key, as they are used.
  QWidget* order[] = {usrDir1->Tree(), File1,  Command1, Command2,
                      Command3,        Check1, List1,    RichTextBox1};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  layout->setColumnStretch(0, 3);
  layout->setColumnStretch(1, 2);
  layout->setColumnStretch(2, 2);
  // The size a person first sees, on screens of any density; it stays.
  const QSize size = QSize(760, 400).expandedTo(layout->sizeHint());
  setFixedSize(size);
}

void OpenFolder::OnFolderChange() {
  const QString path = usrDir1->Path();
  Label1->setText(path);
  if (path == UsrDir::kMyComputer) return;
  const QFileInfo folder(path);
  if (!folder.isDir() || !folder.isReadable()) {
    ShowMessage(this, kDeviceNotReady, QMessageBox::Information);
    return;
  }
  ShowFolder(path);
}

void OpenFolder::ShowFolder(const QString& folder) {
  shownFolder_ = folder;
  File1->clear();
  List1->clear();
  const QStringList names = QDir(folder).entryList(
      kFontFilePatterns, QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
  File1->addItems(names);
  namesFilled_ = 0;
  namesTimer_->start();
}

// Each file's names take FreeType a moment: a folder of thousands is filled
// a slice at a time.
void OpenFolder::FillNextFontNames() {
  QElapsedTimer slice;
  slice.start();
  while (namesFilled_ < File1->count() && slice.elapsed() < kSliceMs) {
    const QString path = shownFolder_ + File1->item(namesFilled_++)->text();
    List1->addItem(FontNamesText(platform::CheckFontFile(SystemPath(path))));
  }
  if (namesFilled_ >= File1->count()) namesTimer_->stop();
}

void OpenFolder::ShowSample(int row) {
  if (sampleFontId_ >= 0) QFontDatabase::removeApplicationFont(sampleFontId_);
  sampleFontId_ = -1;
  RichTextBox1->setPlainText(QStringLiteral("字体示例"));
  if (row < 0) return;
  sampleFontId_ = QFontDatabase::addApplicationFont(shownFolder_ + File1->item(row)->text());
  const QStringList families = QFontDatabase::applicationFontFamilies(sampleFontId_);
  if (families.isEmpty()) return;
  QFont font(families.first(), 20);
  RichTextBox1->setCurrentFont(font);
  RichTextBox1->setFont(font);
  RichTextBox1->setPlainText(QStringLiteral(
      "字体示例\nAaBbCcDdEeFfGg 0123456789\nThe quick brown fox jumps over the lazy dog.\n"
      "永和九年，岁在癸丑，暮春之初。"));
}

void OpenFolder::SelectAll() { File1->selectAll(); }

void OpenFolder::Install() {
  // A second run meanwhile would race the first over the same files.
  if (running_) return;
  std::vector<install::InstallEntry> entries;
  for (int row = 0; row < File1->count(); ++row)
    entries.push_back({SystemPath(File1->item(row)->text()), File1->item(row)->isSelected()});
  running_ = true;
  stopInstall_ = false;
  installedCount_ = 0;
  auto pass = std::make_unique<install::InstallPass>(
      install::InstallOptions{SystemPath(shownFolder_), fontsFolder_, Check1->isChecked()},
      std::move(entries), *resources_);
  worker_ = std::thread([this, pass = std::move(pass)] { RunPass(*pass); });
}

void OpenFolder::RunPass(install::InstallPass& pass) {
  const auto total = static_cast<qulonglong>(pass.Total());
  while (!pass.AtEnd()) {
    ShowProgress(pass.Done() + 1, total);
    pass.Step();
    if (stopInstall_) break;
  }
  std::vector<std::string> installed = pass.Finish();
  const int count = pass.Installed();
  QMetaObject::invokeMethod(
      this, [this, installed = std::move(installed), count] { OnRunEnded(installed, count); },
      Qt::QueuedConnection);
}

// One update waits for the window at a time, showing the latest entry when
// it runs: a flood of updates from a fast run would keep the window busy.
void OpenFolder::ShowProgress(std::size_t entry, qulonglong total) {
  progressEntry_ = entry;
  if (progressPosted_.exchange(true)) return;
  QMetaObject::invokeMethod(
      this,
      [this, total] {
        progressPosted_ = false;  // before reading: a later entry posts again
        Label3->setText(QStringLiteral("%1/%2").arg(progressEntry_.load()).arg(total));
      },
      Qt::QueuedConnection);
}

void OpenFolder::OnRunEnded(std::vector<std::string> installed, int count) {
  if (worker_.joinable()) worker_.join();
  fontsToAdd_ = std::move(installed);
  installedCount_ = count;
  AddNextApplicationFonts();
}

// The new faces draw in this program too; added a slice at a time.
void OpenFolder::AddNextApplicationFonts() {
  QElapsedTimer slice;
  slice.start();
  while (!fontsToAdd_.empty() && slice.elapsed() < kSliceMs) {
    AddApplicationFontFile(fontsToAdd_.back());
    fontsToAdd_.pop_back();
  }
  if (fontsToAdd_.empty())
    EndRun();
  else
    QTimer::singleShot(0, this, &OpenFolder::AddNextApplicationFonts);
}

void OpenFolder::EndRun() {
  ShowMessage(this, QString::fromStdString(install::InstallSummary(installedCount_)),
              QMessageBox::Information);
  stopInstall_ = true;
  running_ = false;
  emit InstallFinished(installedCount_);
  if (closeAfterRun_) accept();
}

// "关闭", the window's frame and Escape all end a run after the file in
// hand; the dialog closes once its message was shown.
void OpenFolder::Close() {
  stopInstall_ = true;
  if (running_)
    closeAfterRun_ = true;
  else
    accept();
}

void OpenFolder::closeEvent(QCloseEvent* event) {
  if (running_) event->ignore();
  Close();
}

void OpenFolder::reject() { Close(); }

}  // namespace qm::gui
