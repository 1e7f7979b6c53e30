// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/fontfiles/FontFileList.h"

#include <QFile>
#include <QHeaderView>
#include <QListView>
#include <QStyle>
#include <QTreeView>
#include <algorithm>
#include <numeric>

#include "core/platform/PathHelpers.h"

namespace qm::gui {
namespace {

const char* const kHeaders[FontFileModel::kColumnCount] = {"文件名", "字体名", "大小(KB)",
                                                           "修改时间", "位置"};

int CompareRows(const FontFileRow& a, const FontFileRow& b, int column) {
  switch (column) {
    case FontFileModel::kSize: {
      const quint64 left = a.readable ? a.size : 0;
      const quint64 right = b.readable ? b.size : 0;
      return left < right ? -1 : (left > right ? 1 : 0);
    }
    case FontFileModel::kFamily:
      return ShownFamily(a).compare(ShownFamily(b), Qt::CaseInsensitive);
    case FontFileModel::kModified:
      return a.dateText.compare(b.dateText);  // "YYYY-MM-DD HH:MM:SS" sorts in time
    case FontFileModel::kFolder:
      return a.folder.compare(b.folder, Qt::CaseInsensitive);
    default:
      return a.fileName.compare(b.fileName, Qt::CaseInsensitive);
  }
}

}  // namespace

FontFileRow RowFromEntry(const catalogue::FolderEntry& entry) {
  FontFileRow row;
  row.fileName = QFile::decodeName(QByteArray::fromStdString(entry.name));
  row.path = entry.path;
  row.readable = entry.readable;
  row.size = entry.size;
  row.icon = entry.icon;
  row.folder = QFile::decodeName(QByteArray::fromStdString(
      platform::RemoveBackslash(entry.path.substr(0, entry.path.size() - entry.name.size()))));
  if (entry.readable) {
    row.sizeText = QString::fromStdString(fileinfo::CFileInfo::FormatFileSize(entry.size));
    row.dateText = QString::fromStdString(fileinfo::CFileInfo::FormatFileDate(entry.modified));
  }
  return row;
}

const QString& ShownFamily(const FontFileRow& row) {
  return row.family.isEmpty() ? row.faces : row.family;
}

FontFileModel::FontFileModel(IconSource icons, QObject* parent)
    : QAbstractTableModel(parent), icons_(std::move(icons)) {}

void FontFileModel::SetRows(const QString& folder, std::vector<FontFileRow> rows) {
  beginResetModel();
  folder_ = folder;
  rows_ = std::move(rows);
  IndexRows();
  endResetModel();
}

QString FontFileModel::PathKey(const QString& file) const {
  const bool fullPath = file.contains(QChar(platform::kPathSeparator));
  const QString path =
      fullPath ? file
               : QString::fromStdString(platform::AddBackslash(folder_.toStdString())) + file;
  return path.toCaseFolded();
}

QString FontFileModel::RowKey(const FontFileRow& row) {
  return QFile::decodeName(QByteArray::fromStdString(row.path)).toCaseFolded();
}

void FontFileModel::IndexRows() {
  rowByPath_.clear();
  rowByPath_.reserve(static_cast<qsizetype>(rows_.size()));
  for (int row = static_cast<int>(rows_.size()) - 1; row >= 0; --row)
    rowByPath_.insert(RowKey(rows_[static_cast<std::size_t>(row)]), row);
}

int FontFileModel::FindFile(const QString& file) const {
  return rowByPath_.value(PathKey(file), -1);
}

void FontFileModel::SetFamily(int row, const QString& family) {
  rows_[static_cast<std::size_t>(row)].family = family;
  const QModelIndex cell = index(row, kFamily);
  emit dataChanged(cell, cell, {Qt::DisplayRole});
}

void FontFileModel::ClearFamilies() {
  for (FontFileRow& row : rows_) row.family.clear();
  if (!rows_.empty()) emit dataChanged(index(0, kFamily), index(rowCount() - 1, kFamily));
}

void FontFileModel::Sort(int column, Qt::SortOrder order) {
  std::vector<int> oldRows(rows_.size());
  std::iota(oldRows.begin(), oldRows.end(), 0);
  std::stable_sort(oldRows.begin(), oldRows.end(), [&](int a, int b) {
    const int comparison = CompareRows(Row(a), Row(b), column);
    return order == Qt::AscendingOrder ? comparison < 0 : comparison > 0;
  });
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  Reorder(oldRows);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void FontFileModel::Reorder(const std::vector<int>& oldRows) {
  std::vector<int> newRowOf(oldRows.size());
  std::vector<FontFileRow> reordered;
  reordered.reserve(rows_.size());
  for (std::size_t newRow = 0; newRow < oldRows.size(); ++newRow) {
    const auto oldRow = static_cast<std::size_t>(oldRows[newRow]);
    newRowOf[oldRow] = static_cast<int>(newRow);
    reordered.push_back(std::move(rows_[oldRow]));
  }
  rows_ = std::move(reordered);
  MovePersistentIndexes(newRowOf);
  IndexRows();
}

void FontFileModel::MovePersistentIndexes(const std::vector<int>& newRowOf) {
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& cell : before)
    after << index(newRowOf[static_cast<std::size_t>(cell.row())], cell.column());
  changePersistentIndexList(before, after);
}

int FontFileModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FontFileModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant FontFileModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const FontFileRow& row = Row(index.row());
  if (role == kPathRole) return QByteArray::fromStdString(row.path);
  if (role == Qt::DisplayRole) {
    switch (index.column()) {
      case kFileName:
        return row.fileName;
      case kFamily:
        return ShownFamily(row);
      case kSize:
        return row.sizeText;
      case kModified:
        return row.dateText;
      case kFolder:
        return row.folder;
    }
  }
  if (role == Qt::DecorationRole && index.column() == kFileName && icons_) return icons_(row.icon);
  if (role == Qt::TextAlignmentRole && index.column() == kSize)
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant FontFileModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
      section < kColumnCount)
    return QString::fromUtf8(kHeaders[section]);
  return QAbstractTableModel::headerData(section, orientation, role);
}

FontFileView::FontFileView(FontFileModel* model, QWidget* parent)
    : QStackedWidget(parent), model_(model) {
  report_ = new QTreeView(this);
  report_->setModel(model);
  report_->setRootIsDecorated(false);
  report_->setUniformRowHeights(true);  // thousands of rows scroll without measuring each
  report_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  report_->setSelectionBehavior(QAbstractItemView::SelectRows);
  report_->header()->setSectionsClickable(true);
  report_->header()->setStretchLastSection(false);
  report_->header()->resizeSection(FontFileModel::kFileName, 220);
  report_->header()->resizeSection(FontFileModel::kFamily, 200);
  icons_ = new QListView(this);
  icons_->setModel(model);
  icons_->setSelectionModel(report_->selectionModel());  // one selection for both views
  icons_->setViewMode(QListView::ListMode);
  icons_->setFlow(QListView::TopToBottom);
  icons_->setWrapping(true);
  icons_->setResizeMode(QListView::Adjust);
  // Each item as wide as its own name: a uniform size is the first item's
  // and would cut longer names.
  icons_->setUniformItemSizes(false);
  // Measuring thousands of names takes a while: a batch at a time while the
  // window waits, not all at once inside every load.
  icons_->setLayoutMode(QListView::Batched);
  const int smallIcon = style()->pixelMetric(QStyle::PM_SmallIconSize);
  icons_->setIconSize(QSize(smallIcon, smallIcon));
  icons_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  addWidget(report_);
  addWidget(icons_);
  for (QAbstractItemView* view :
       {static_cast<QAbstractItemView*>(report_), static_cast<QAbstractItemView*>(icons_)}) {
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& at) {
      emit ContextMenuRequested(view->viewport()->mapToGlobal(at));
    });
  }
  connect(report_->header(), &QHeaderView::sectionClicked, this, &FontFileView::HeaderClicked);
  connect(model, &QAbstractItemModel::modelReset, this, &FontFileView::FitTextColumns);
  ShowReport();
}

// After each load: the sizes, the whole "YYYY-MM-DD HH:MM:SS" and folders
// are wider than a default column.
void FontFileView::FitTextColumns() {
  report_->resizeColumnToContents(FontFileModel::kSize);
  report_->resizeColumnToContents(FontFileModel::kModified);
  report_->resizeColumnToContents(FontFileModel::kFolder);
}

void FontFileView::ShowReport() { setCurrentWidget(report_); }

void FontFileView::ShowIcons() { setCurrentWidget(icons_); }

bool FontFileView::ShowingReport() const { return currentWidget() == report_; }

void FontFileView::ShowFolderColumn(bool shown) {
  report_->setColumnHidden(FontFileModel::kFolder, !shown);
}

void FontFileView::SortByHeaderClick(int column) {
  if (column == sortColumn_) {
    sortOrder_ = sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
  } else {
    sortColumn_ = column;
    sortOrder_ = Qt::AscendingOrder;
  }
  model_->Sort(sortColumn_, sortOrder_);
  ShowSortIndicator();
}

void FontFileView::ClearSort() {
  sortColumn_ = -1;
  sortOrder_ = Qt::AscendingOrder;
  ShowSortIndicator();
}

void FontFileView::ShowSortIndicator() {
  report_->header()->setSortIndicatorShown(sortColumn_ >= 0);
  report_->header()->setSortIndicator(sortColumn_, sortOrder_);
}

}  // namespace qm::gui
