// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder tree: Desktop, My Documents and 我的电脑 with every mounted
// volume, and the folders below them, read one level at a time. A click
// on a node works out the folder it stands for, keeps it in Path() and
// raises Click().

#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "core/platform/Drives.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace qm::gui {

// Where the tree learns about the machine; tests give their own.
struct FolderTreeSources {
  std::function<std::vector<platform::Drive>()> drives = platform::ListDrives;
  std::function<bool(const std::string&)> isReadyCd = platform::IsReadyCdDrive;
  std::function<std::string(const std::string&)> volumeName = platform::DriveVolumeName;
  QString desktop;    // empty: the user's desktop folder, else the home folder
  QString documents;  // empty: the user's documents folder, else the home folder
};

class UsrDir : public QWidget {
  Q_OBJECT
 public:
  static inline const QString kMyComputer = QStringLiteral("我的电脑");
  static inline const QString kComputerKey = QStringLiteral("mycomputer");
  static inline const QString kDesktopKey = QStringLiteral("Desktop");

  explicit UsrDir(QWidget* parent = nullptr, FolderTreeSources sources = {});

  // The folder of the last clicked node, ending in "/", or "我的电脑";
  // empty until the first click.
  const QString& Path() const { return path_; }
  const QString& DesktopPath() const { return desktopPath_; }
  const QString& MyDocumentsPath() const { return myDocumentsPath_; }

  QTreeWidget* Tree() const { return DirTree; }
  // The node of a key: "Desktop", "mycomputer", "root" + a mount point, or
  // a folder's full path.
  QTreeWidgetItem* Node(const QString& key) const;

 signals:
  void Click();
  // A node was clicked that had no subfolders yet; they were read just now.
  void NodeClick(QTreeWidgetItem* node);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build();
  QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& key, const QString& text,
                           const QString& folder, const QIcon& icon);
  void AddDrive(QTreeWidgetItem* computer, const platform::Drive& drive);
  // Adds the subfolders of folder below parent, sorted as a person reads them.
  void DisplayDir(const QString& folder, QTreeWidgetItem* parent);
  void OnNodeClick(QTreeWidgetItem* node);
  void FollowCdLabel(QTreeWidgetItem* node);

  FolderTreeSources sources_;
  QString path_;
  QString desktopPath_;
  QString myDocumentsPath_;
  QTreeWidgetItem* lastAdded_ = nullptr;
  bool pressing_ = false;  // a mouse press is changing the current node
  QTreeWidget* DirTree = nullptr;
};

}  // namespace qm::gui
