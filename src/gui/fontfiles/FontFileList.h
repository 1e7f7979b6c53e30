// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The font-file list: every file of a folder, or every installed font file,
// with its icon, the family registered for it (else the faces it holds),
// its size, its modification time and its folder, in a report view or an
// icon view over one model.

#include <QAbstractTableModel>
#include <QHash>
#include <QStackedWidget>
#include <functional>
#include <vector>

#include "core/catalogue/FolderListing.h"

class QListView;
class QTreeView;

namespace qm::gui {

struct FontFileRow {
  QString fileName;  // as shown; a name that is not UTF-8 shows replacement marks
  std::string path;  // the file itself, bytes as the file system has them
  QString family;    // the family registered for the file
  QString faces;     // the faces listed in the file, shown where no family is registered
  QString folder;    // where the file lies
  bool readable = false;
  quint64 size = 0;
  QString sizeText;
  QString dateText;
  platform::FileIconKey icon = 0;
};

FontFileRow RowFromEntry(const catalogue::FolderEntry& entry);
// The text of the family column: the registered family, else the faces.
const QString& ShownFamily(const FontFileRow& row);

class FontFileModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { kFileName, kFamily, kSize, kModified, kFolder, kColumnCount };
  // Any cell: its row's FontFileRow::path as a QByteArray, for acting on the file.
  static constexpr int kPathRole = Qt::UserRole + 1;
  using IconSource = std::function<QIcon(platform::FileIconKey)>;

  explicit FontFileModel(IconSource icons, QObject* parent = nullptr);

  // folder: where file names without a folder are looked for.
  void SetRows(const QString& folder, std::vector<FontFileRow> rows);
  const QString& Folder() const { return folder_; }
  const FontFileRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }

  // The row of a file given by bare name (in the folder shown) or by full
  // path, without regard to letter case; -1 when the list has none.
  int FindFile(const QString& file) const;
  void SetFamily(int row, const QString& family);
  void ClearFamilies();
  // Sizes sort by value, unreadable ones as zero; the other columns by
  // their text, without regard to letter case. Equal rows keep their order;
  // selections and other persistent indexes stay on their files.
  void Sort(int column, Qt::SortOrder order);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QString PathKey(const QString& file) const;
  static QString RowKey(const FontFileRow& row);
  void IndexRows();
  // Rows in their new order, by their old row numbers.
  void Reorder(const std::vector<int>& oldRows);
  void MovePersistentIndexes(const std::vector<int>& newRowOf);

  IconSource icons_;
  QString folder_;
  std::vector<FontFileRow> rows_;
  QHash<QString, int> rowByPath_;  // case-folded full path to row
};

// "ListView1": the list in report view or as small icons.
class FontFileView : public QStackedWidget {
  Q_OBJECT
 public:
  FontFileView(FontFileModel* model, QWidget* parent = nullptr);

  void ShowReport();
  void ShowIcons();
  bool ShowingReport() const;
  void ShowFolderColumn(bool shown);

  // A header click: the same column again reverses the order, another
  // column sorts ascending by it.
  void SortByHeaderClick(int column);
  // Rows in the folder's own order again, no column marked.
  void ClearSort();
  void ShowSortIndicator();
  int SortColumn() const { return sortColumn_; }

  QTreeView* Report() const { return report_; }
  QListView* Icons() const { return icons_; }

 signals:
  void HeaderClicked(int column);
  void ContextMenuRequested(const QPoint& globalPosition);

 private:
  void FitTextColumns();

  FontFileModel* model_;
  QTreeView* report_;
  QListView* icons_;
  int sortColumn_ = -1;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

}  // namespace qm::gui
