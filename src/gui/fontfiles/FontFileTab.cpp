// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/fontfiles/FontFileTab.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/catalogue/FolderListing.h"
#include "core/catalogue/FontTable.h"
#include "core/platform/PathHelpers.h"
#include "gui/common/DesktopFileTypes.h"
#include "gui/common/FramePump.h"
#include "gui/common/Icons.h"
#include "gui/common/NamedWidgets.h"
#include "gui/fontfiles/FontFileList.h"

namespace qm::gui {
namespace {

int filesPerStep = FontFileTab::kFilesPerStep;

QString AllInstalledFilesLabel() { return QStringLiteral("所有已安装的字体文件"); }

// The folder a path leads to through links, for telling two names of one
// folder apart from two folders.
QString FolderTarget(const QString& folder) {
  const QString target = QFileInfo(folder).canonicalFilePath();
  return target.isEmpty() ? QDir::cleanPath(folder) : target;
}

QString FacesText(const std::vector<std::string>& faces) {
  QStringList names;
  for (const std::string& face : faces) names << QString::fromStdString(face);
  return names.join(QStringLiteral("; "));
}

std::string NameInFolder(const std::string& path) {
  return path.substr(path.find_last_of(platform::kPathSeparator) + 1);
}

}  // namespace

QStringList FolderChoices(const QString& userFolder,
                          const std::vector<platform::InstalledFontFile>& files) {
  QStringList folders;
  QSet<QString> named;    // as given: most files share their folder with the one before
  QSet<QString> targets;  // as links resolve
  const auto add = [&](const QString& folder) {
    if (folder.isEmpty() || named.contains(folder)) return;
    named.insert(folder);
    if (!targets.contains(FolderTarget(folder))) {
      targets.insert(FolderTarget(folder));
      folders << folder;
    }
  };
  add(QString::fromStdString(platform::RemoveBackslash(userFolder.toStdString())));
  for (const platform::InstalledFontFile& file : files) add(QString::fromStdString(file.folder));
  return folders;
}

void FontFileTab::SetFilesPerStep(int files) { filesPerStep = files; }

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
  listingStep_ = new QTimer(this);
  listingStep_->setSingleShot(true);
  listingStep_->setInterval(0);
  connect(listingStep_, &QTimer::timeout, this, &FontFileTab::DescribeInstalledFilesStep);

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

QString FontFileTab::ChosenFolder() const { return cboFolder->currentData().toString(); }

// Keeps the folder chosen when it is still offered.
void FontFileTab::FillFolderChoice(const std::vector<platform::InstalledFontFile>& files) {
  const QString chosen = ChosenFolder();
  cboFolder->clear();
  cboFolder->addItem(AllInstalledFilesLabel(), QString());
  for (const QString& folder : FolderChoices(FontsFolder(), files))
    cboFolder->addItem(folder, folder);
  cboFolder->setCurrentIndex(std::max(0, cboFolder->findData(chosen)));
}

bool FontFileTab::OpenFontsFolder() {
  if (cboFolder->count() == 0) {
    LoadInstalledFiles();
    return true;
  }
  if (model_->rowCount() > 0 || Loading()) return false;
  ReloadChosenFolder();
  return true;
}

void FontFileTab::ReloadChosenFolder() {
  if (ChosenFolder().isEmpty())
    LoadInstalledFiles();
  else
    LoadFontFileList(ChosenFolder());
}

void FontFileTab::OpenShownFolder() {
  const QString shown = model_->Folder().isEmpty() ? FontsFolder() : model_->Folder();
  platform_.ShellOpen(shown.toStdString());
}

bool FontFileTab::Loading() const { return listingStep_->isActive(); }

void FontFileTab::StartLoad(const QString& folder) {
  listingStep_->stop();
  SetLoadingLabel(true);
  model_->SetRows(folder, {});
  ListView1->ClearSort();
}

void FontFileTab::LoadFontFileList(const QString& folder) {
  StartLoad(folder);
  Label5->setText(folder);
  ListView1->ShowFolderColumn(false);
  std::vector<FontFileRow> rows;
  for (const catalogue::FolderEntry& entry :
       catalogue::ListFolderFiles(folder.toStdString(), fileTypes_.get())) {
    rows.push_back(RowFromEntry(entry));
    rows.back().faces = FacesOf(entry.path);
  }
  FinishLoad(folder, std::move(rows));
}

void FontFileTab::LoadInstalledFiles() {
  StartLoad(FontsFolder());
  installedFiles_ = platform_.InstalledFontFiles();
  facesByPath_.clear();
  for (const platform::InstalledFontFile& file : installedFiles_)
    facesByPath_[file.path] = FacesText(file.faces);
  FillFolderChoice(installedFiles_);
  Label5->setText(AllInstalledFilesLabel());
  ListView1->ShowFolderColumn(true);
  describedRows_.clear();
  describedRows_.reserve(installedFiles_.size());
  DescribeInstalledFilesStep();
}

// Looking at tens of thousands of files takes a while: a step's worth at a
// time, the window's events running between steps.
void FontFileTab::DescribeInstalledFilesStep() {
  fileinfo::CFileInfo info(fileTypes_.get());
  const std::size_t end = std::min(installedFiles_.size(),
                                   describedRows_.size() + static_cast<std::size_t>(filesPerStep));
  while (describedRows_.size() < end) {
    const platform::InstalledFontFile& file = installedFiles_[describedRows_.size()];
    describedRows_.push_back(
        RowFromEntry(catalogue::DescribeFile(file.folder, NameInFolder(file.path), info)));
    describedRows_.back().faces = FacesOf(file.path);
  }
  if (describedRows_.size() < installedFiles_.size())
    listingStep_->start();
  else
    FinishLoad(FontsFolder(), std::move(describedRows_));
}

void FontFileTab::FinishLoad(const QString& folder, std::vector<FontFileRow> rows) {
  model_->SetRows(folder, std::move(rows));
  SetLoadingLabel(false);
  FillFontNameColumn();
  emit ListLoaded();
}

QString FontFileTab::FacesOf(const std::string& path) const {
  const auto found = facesByPath_.find(path);
  return found == facesByPath_.end() ? QString() : found->second;
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
