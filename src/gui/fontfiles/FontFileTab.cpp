// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/fontfiles/FontFileTab.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/catalogue/FolderListing.h"
#include "core/catalogue/FontTable.h"
#include "gui/common/DesktopFileTypes.h"
#include "gui/common/FramePump.h"
#include "gui/common/Icons.h"
#include "gui/common/NamedWidgets.h"
#include "gui/fontfiles/FontFileList.h"

namespace qm::gui {

FontFileTab::FontFileTab(platform::Platform& platform, FamilySource families, QWidget* parent)
    : QWidget(parent),
      platform_(platform),
      families_(std::move(families)),
      fileTypes_(std::make_unique<gui::DesktopFileTypes>()) {
  Label5 = gui::NamedLabel(QStringLiteral("Label5"), QStringLiteral("字体文件夹路径"), this);
  cboFolder = new QComboBox(this);
  cboFolder->setObjectName(QStringLiteral("cboFolder"));
  cboFolder->setToolTip(QStringLiteral("选择要列出的字体文件夹"));
  cboFolder->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cboFolder->setMinimumContentsLength(12);
  auto* Option1 = new QRadioButton(QStringLiteral("图标"), this);
  Option1->setObjectName(QStringLiteral("Option1"));
  auto* Option2 = new QRadioButton(QStringLiteral("列表"), this);
  Option2->setObjectName(QStringLiteral("Option2"));
  Option2->setChecked(true);
  QPushButton* Command1 =
      gui::NamedButton(QStringLiteral("Command1"), QStringLiteral("刷新"), this);
  auto* header = new QHBoxLayout;
  header->addWidget(Label5, 1);
  header->addWidget(cboFolder);
  header->addWidget(Option1);
  header->addWidget(Option2);
  header->addWidget(Command1);

  model_ = new FontFileModel(
      [types = fileTypes_.get()](platform::FileIconKey key) { return types->IconFor(key); }, this);
  ListView1 = new FontFileView(model_, this);
  ListView1->setObjectName(QStringLiteral("ListView1"));

  Label6 = gui::NamedLabel(QStringLiteral("Label6"), QStringLiteral("0"), this);
  auto* footer = new QHBoxLayout;
  footer->addWidget(gui::DeferredPictureLabel(
      QStringLiteral("Image1"),
      [] { return gui::ThemeOrStandardIcon("folder", QStyle::SP_DirIcon); }, this));
  footer->addWidget(Label6, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addWidget(ListView1, 1);
  layout->addLayout(footer);

  connect(Command1, &QPushButton::clicked, this, &FontFileTab::ReloadChosenFolder);
  connect(cboFolder, &QComboBox::activated, this, &FontFileTab::ReloadChosenFolder);
  connect(Option1, &QRadioButton::clicked, ListView1, &FontFileView::ShowIcons);
  connect(Option2, &QRadioButton::clicked, ListView1, &FontFileView::ShowReport);
  connect(ListView1, &FontFileView::HeaderClicked, this, &FontFileTab::OnHeaderClick);
  connect(ListView1, &FontFileView::ContextMenuRequested, this, &FontFileTab::ContextMenuRequested);
  connect(ListView1->Report(), &QAbstractItemView::doubleClicked, this,
          &FontFileTab::FileDoubleClicked);
  connect(ListView1->Icons(), &QAbstractItemView::doubleClicked, this,
          &FontFileTab::FileDoubleClicked);
}

int FontFileTab::RowCount() const { return model_->rowCount(); }

std::vector<FontFileTab::SelectedFile> FontFileTab::SelectedFiles() const {
  std::vector<SelectedFile> files;
  const QItemSelectionModel* selection = ListView1->Report()->selectionModel();
  for (int row = 0; row < model_->rowCount(); ++row)
    if (selection->isRowSelected(row, {}))
      files.push_back({model_->Row(row).path, model_->Row(row).family});
  return files;
}

FontFileTab::SelectedFile FontFileTab::CurrentFile() const {
  const QItemSelectionModel* selection = ListView1->Report()->selectionModel();
  const QModelIndex current = selection->currentIndex();
  if (!current.isValid() || !selection->isRowSelected(current.row(), {})) return {};
  return {model_->Row(current.row()).path, model_->Row(current.row()).family};
}

// The model's icons come from fileTypes_: the widgets go first.
FontFileTab::~FontFileTab() {
  delete ListView1;
  delete model_;
}

QString FontFileTab::FontsFolder() const {
  return QString::fromStdString(catalogue::GetFontsFolder(platform_.Registry()));
}

QString FontFileTab::ChosenFolder() const {
  return cboFolder->count() > 0 ? cboFolder->currentText() : FontsFolder();
}

void FontFileTab::FillFolderChoice() {
  cboFolder->clear();
  cboFolder->addItem(FontsFolder());
  for (const std::string& folder : platform_.FontFolders()) {
    const QString path = QString::fromStdString(folder);
    if (cboFolder->findText(path) < 0) cboFolder->addItem(path);
  }
  cboFolder->setCurrentIndex(0);
}

bool FontFileTab::OpenFontsFolder() {
  if (cboFolder->count() == 0) FillFolderChoice();
  Label5->setText(ChosenFolder());
  if (model_->rowCount() > 0) return false;
  LoadFontFileList(ChosenFolder());
  return true;
}

void FontFileTab::ReloadChosenFolder() {
  Label5->setText(ChosenFolder());
  LoadFontFileList(ChosenFolder());
}

void FontFileTab::OpenShownFolder() {
  const QString shown = model_->Folder().isEmpty() ? FontsFolder() : model_->Folder();
  platform_.ShellOpen(shown.toStdString());
}

void FontFileTab::LoadFontFileList(const QString& folder) {
  SetLoadingLabel(true);
  model_->SetRows(folder, {});
  ListView1->ClearSort();
  std::vector<FontFileRow> rows;
  for (const catalogue::FolderEntry& entry :
       catalogue::ListFolderFiles(folder.toStdString(), fileTypes_.get()))
    rows.push_back(RowFromEntry(entry));
  model_->SetRows(folder, std::move(rows));
  SetLoadingLabel(false);
  QCoreApplication::processEvents();
  FillFontNameColumn();
}

void FontFileTab::SetLoadingLabel(bool loading) {
  QPalette palette = Label6->palette();
  palette.setColor(QPalette::WindowText, loading ? QColor(255, 0, 0) : QColor(0, 0, 0));
  Label6->setPalette(palette);
  Label6->setText(loading ? QStringLiteral("正在加载...") : QString::number(model_->rowCount()));
  // Loading a large folder takes a moment: show the notice before it starts.
  if (loading) Label6->repaint();
}

// Window events run during the fill, so a refresh or another folder can
// replace the list meanwhile; its own fill then asks the running one to
// start over on the newest list and names instead of going on half done.
void FontFileTab::FillFontNameColumn() {
  if (fillingFontNames_) {
    restartFill_ = true;
    return;
  }
  fillingFontNames_ = true;
  do {
    restartFill_ = false;
    FillFamiliesOnce();
  } while (restartFill_);
  fillingFontNames_ = false;
}

void FontFileTab::FillFamiliesOnce() {
  if (model_->rowCount() == 0) return;
  const ListedFamilies names = families_.names();
  if (names.isEmpty()) return;
  // Families removed since the last fill leave no name behind.
  model_->ClearFamilies();
  gui::FramePump pump;
  for (const ListedFamily& family : names) {
    const QString file = families_.registeredFile(family.real);
    if (!file.isEmpty()) FindFileNameInListView(file, family.shown);
    pump.Tick();
    if (restartFill_) return;
  }
}

void FontFileTab::FindFileNameInListView(const QString& fileName, const QString& familyName) {
  const int row = model_->FindFile(fileName);
  if (row >= 0) model_->SetFamily(row, familyName);
}

void FontFileTab::OnHeaderClick(int column) {
  if (fillingFontNames_) {
    ListView1->ShowSortIndicator();  // the header turned its arrow by itself
    return;
  }
  ListView1->SortByHeaderClick(column);
}

}  // namespace qm::gui
