// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The second tab of the main window: the files of a fonts folder, with the
// family registered for each, in a report or an icon view.

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/platform/Platform.h"
#include "gui/common/ListedFamily.h"

class QComboBox;
class QLabel;

namespace qm::gui {
class DesktopFileTypes;
}

namespace qm::gui {

class FontFileModel;
class FontFileView;

class FontFileTab : public QWidget {
  Q_OBJECT
 public:
  // Where the family column comes from: the installed families, in the
  // font-name list's order, and the file each real name is registered for.
  struct FamilySource {
    std::function<ListedFamilies()> names;
    std::function<QString(const QByteArray& realName)> registeredFile;
  };

  FontFileTab(platform::Platform& platform, FamilySource families, QWidget* parent = nullptr);
  ~FontFileTab() override;

  // Shows the chosen folder (the fonts folder at first) and loads its list
  // unless it has rows already; true when it loaded.
  bool OpenFontsFolder();
  void LoadFontFileList(const QString& folder);
  // Fills the family column from the family source, a later family
  // overwriting an earlier one registered for the same file. Asked for
  // while a fill runs, it makes that fill start over.
  void FillFontNameColumn();
  void FindFileNameInListView(const QString& fileName, const QString& familyName);
  bool FillingFontNames() const { return fillingFontNames_; }
  // Opens the folder shown (the fonts folder before any) on the desktop.
  void OpenShownFolder();

  struct SelectedFile {
    std::string path;  // bytes as the file system has them
    QString family;
  };
  int RowCount() const;
  // The selected rows in the list's order.
  std::vector<SelectedFile> SelectedFiles() const;
  // The list's current row when it is selected; empty path otherwise.
  SelectedFile CurrentFile() const;

 signals:
  void ContextMenuRequested(const QPoint& globalPosition);
  void FileDoubleClicked();

 private:
  QString FontsFolder() const;
  QString ChosenFolder() const;
  void FillFolderChoice();
  void ReloadChosenFolder();
  void SetLoadingLabel(bool loading);
  void OnHeaderClick(int column);
  // One pass over the family names; stops early when a restart is asked.
  void FillFamiliesOnce();

  platform::Platform& platform_;
  FamilySource families_;
  std::unique_ptr<gui::DesktopFileTypes> fileTypes_;
  FontFileModel* model_ = nullptr;
  FontFileView* ListView1 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QComboBox* cboFolder = nullptr;
  bool fillingFontNames_ = false;
  bool restartFill_ = false;  // asked for while a fill runs
};

}  // namespace qm::gui
