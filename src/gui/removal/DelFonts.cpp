// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/removal/DelFonts.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "core/catalogue/FamilyNames.h"
#include "core/catalogue/FontTable.h"
#include "core/fileinfo/FileInfo.h"
#include "core/platform/PathHelpers.h"
#include "gui/common/ApplicationFonts.h"
#include "gui/common/BrowseForFolder.h"
#include "gui/common/Dialogs.h"
#include "gui/common/NamedWidgets.h"
#include "gui/removal/DesktopTrash.h"

namespace qm::gui {
namespace {

// The generic families whose faces the desktop cannot do without, for
// text of any language and of the user's.
constexpr const char* kGenericFamilies[] = {"sans-serif", "serif", "monospace"};
constexpr const char* kLanguages[] = {"", "zh-cn"};

QRadioButton* NamedOption(const QString& name, const QString& text, QWidget* parent) {
  auto* option = new QRadioButton(text, parent);
  option->setObjectName(name);
  return option;
}

QCheckBox* NamedCheck(const QString& name, const QString& text, QWidget* parent) {
  auto* check = new QCheckBox(text, parent);
  check->setObjectName(name);
  check->setChecked(true);
  return check;
}

// The file's own name, on one line whatever bytes it holds.
QString ShownFileName(const std::string& fileName) {
  return QString::fromStdString(
      catalogue::ShownFamilyName(std::filesystem::path(fileName).filename().string()));
}

}  // namespace

DelFonts::DelFonts(platform::Platform& platform, platform::FontResources& resources,
                   QWidget* parent)
    : QDialog(parent), platform_(platform), resources_(resources) {
  setObjectName(QStringLiteral("DelFonts"));
  setWindowTitle(QStringLiteral("卸载和删除字体"));
  SetupWidgets();
  context_.folder = catalogue::GetFontsFolder(platform_.Registry());
  context_.userFontFolders = platform_.UserFontFolders();
  context_.osName = platform_.DescribeOs().name;
  context_.essentialFiles = EssentialFiles();
}

void DelFonts::SetupWidgets() {
  ListView1 = new QTreeWidget(this);
  ListView1->setObjectName(QStringLiteral("ListView1"));
  ListView1->setRootIsDecorated(false);
  ListView1->setHeaderLabels({QStringLiteral("文件名"), QStringLiteral("字体名"),
                              QStringLiteral("已卸载"), QStringLiteral("已删除"),
                              QStringLiteral("移动文件到")});
  ListView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  Label2 = NamedLabel(QStringLiteral("Label2"), QStringLiteral("你选中的字体数为："), this);
  Label3 = NamedLabel(QStringLiteral("Label3"), QStringLiteral("0"), this);
  auto* count = new QHBoxLayout;
  count->addWidget(Label2);
  count->addWidget(Label3, 1);

  auto* Frame1 = new QGroupBox(QStringLiteral("重要提示"), this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  Label1 = NamedLabel(
      QStringLiteral("Label1"),
      QStringLiteral("卸载操作系统的重要字体和系统属性的字体，可能会导致操作系统无法正常运行！"),
      Frame1);
  Label1->setWordWrap(true);
  Check1 = NamedCheck(QStringLiteral("Check1"), QStringLiteral("保留系统重要的字体[建议]"), Frame1);
  Check2 = NamedCheck(QStringLiteral("Check2"), QStringLiteral("保留系统属性的字体[建议]"), Frame1);
  auto* notice = new QVBoxLayout(Frame1);
  notice->addWidget(Label1);
  notice->addWidget(Check1);
  notice->addWidget(Check2);

  Option1 = NamedOption(QStringLiteral("Option1"), QStringLiteral("仅卸载字体"), this);
  Option2 = NamedOption(QStringLiteral("Option2"), QStringLiteral("卸载字体并删除文件"), this);
  Option3 = NamedOption(QStringLiteral("Option3"),
                        QStringLiteral("仅卸载字体 并移动文件到文件夹："), this);
  Option2->setChecked(true);
  Text1 = new QLineEdit(QDir::homePath() + u'/', this);
  Text1->setObjectName(QStringLiteral("Text1"));
  Command1 = NamedButton(QStringLiteral("Command1"), QStringLiteral("浏览..."), this);
  auto* move = new QHBoxLayout;
  move->addWidget(Option3);
  move->addWidget(Text1, 1);
  move->addWidget(Command1);

  Command2 = NamedButton(QStringLiteral("Command2"), QStringLiteral("确定"), this);
  Command3 = NamedButton(QStringLiteral("Command3"), QStringLiteral("取消"), this);
  Command2->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(Command2);
  buttons->addWidget(Command3);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ListView1, 1);
  layout->addLayout(count);
  layout->addWidget(Frame1);
  layout->addWidget(Option1);
  layout->addWidget(Option2);
  layout->addLayout(move);
  layout->addLayout(buttons);
  resize(720, 480);

  connect(Command1, &QPushButton::clicked, this, &DelFonts::OnBrowse);
  connect(Command2, &QPushButton::clicked, this, &DelFonts::OnOk);
  connect(Command3, &QPushButton::clicked, this, &QDialog::reject);
}

std::vector<std::string> DelFonts::EssentialFiles() {
  std::vector<std::string> files;
  for (const char* generic : kGenericFamilies) {
    for (const char* language : kLanguages) {
      const std::string family = platform_.GenericFamily(generic, language);
      if (family.empty()) continue;
      const std::string file =
          catalogue::GetFontFileName(platform_.Registry(), context_.osName, family);
      if (file.empty()) continue;
      files.push_back(file.starts_with('/') ? file
                                            : platform::AddBackslash(context_.folder) + file);
    }
  }
  return files;
}

void DelFonts::AddRow(const std::string& fileName, const QString& fontName) {
  rows_.push_back({fileName, fontName.toStdString()});
  auto* item = new QTreeWidgetItem({ShownFileName(fileName), fontName});
  item->setToolTip(kFileName, QFile::decodeName(QByteArray::fromStdString(fileName)));
  ListView1->addTopLevelItem(item);
}

void DelFonts::ShowRowCount() { Label3->setText(QString::number(ListView1->topLevelItemCount())); }

removal::RemovalOptions DelFonts::ChosenOptions() const {
  const removal::FileAction action = Option1->isChecked()   ? removal::FileAction::kLeave
                                     : Option2->isChecked() ? removal::FileAction::kDelete
                                                            : removal::FileAction::kMove;
  return {Check1->isChecked(), Check2->isChecked(), action,
          QFile::encodeName(Text1->text()).toStdString()};
}

void DelFonts::OnBrowse() {
  const QString folder = BrowseForFolder(this);
  if (!folder.isEmpty()) Text1->setText(folder);
}

void DelFonts::OnOk() {
  Command2->setEnabled(false);
  std::unique_ptr<platform::FileSystem> files = platform::CreateFileSystem();
  removal::FontRemoval removal(context_, resources_, platform_.Registry(), *files,
                               MoveToDesktopTrash);
  removal.Run(rows_, ChosenOptions());
  // This program stops offering what it loaded itself, as every other does.
  for (const removal::RemovalRow& row : rows_)
    if (row.unloaded == removal::kYes) DropApplicationFontFile(removal.CompletePath(row.fileName));
  ShowResults();
  ShowMessage(this, QStringLiteral("操作完成！请重新扫描字体名列表和刷新字体文件名列表。"),
              QMessageBox::Information);
}

void DelFonts::ShowResults() {
  for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
    const removal::RemovalRow& row = rows_[static_cast<std::size_t>(i)];
    QTreeWidgetItem* item = ListView1->topLevelItem(i);
    item->setText(kUnloaded, QString::fromStdString(row.unloaded));
    item->setText(kDeleted, QString::fromStdString(row.deleted));
    item->setText(kMovedTo, QFile::decodeName(QByteArray::fromStdString(row.movedTo)));
  }
}

}  // namespace qm::gui
