// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The second tab of the main window: every installed font file, or the
// files of one fonts folder, with the family registered for each (else the
// faces it holds), in a report or an icon view.

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/platform/Platform.h"
#include "gui/common/ListedFamily.h"

class QComboBox;
class QLabel;
class QTimer;

namespace qm::gui {
class DesktopFileTypes;
}

namespace qm::gui {

class FontFileModel;
class FontFileView;
struct FontFileRow;

// The folder box's folders: the user's fonts folder, then each folder that
// holds one of files, in their order; each once, however links or trailing
// separators name it.
QStringList FolderChoices(const QString& userFolder,
                          const std::vector<platform::InstalledFontFile>& files);

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

  // How many installed files a step of the listing describes before the
  // window's events run again.
  static constexpr int kFilesPerStep = 500;
  static void SetFilesPerStep(int files);

  // Shows the chosen view (every installed font file at first) and loads
  // its list unless it has rows or is loading; true when it started a load.
  bool OpenFontsFolder();
  void LoadFontFileList(const QString& folder);
  // Lists every installed font file anew and the folders holding them; the
  // rows are described a step at a time between window events.
  void LoadInstalledFiles();
  bool Loading() const;
  // Fills the family column from the family source, a later family
  // overwriting an earlier one registered for the same file. Asked for
  // while a fill runs, it makes that fill start over.
  void FillFontNameColumn();
  void FindFileNameInListView(const QString& fileName, const QString& familyName);
  bool FillingFontNames() const { return fillingFontNames_; }
  // Opens the folder shown on the desktop: the user's fonts folder for the
  // installed files and before any list.
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
  // A list is complete and its family column filled (or, when a fill was
  // running, that fill started over on it).
  void ListLoaded();

 private:
  QString FontsFolder() const;
  // The folder chosen in the folder box; empty for every installed file.
  QString ChosenFolder() const;
  void FillFolderChoice(const std::vector<platform::InstalledFontFile>& files);
  void ReloadChosenFolder();
  void StartLoad(const QString& folder);
  void DescribeInstalledFilesStep();
  void FinishLoad(const QString& folder, std::vector<FontFileRow> rows);
  QString FacesOf(const std::string& path) const;
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
  QTimer* listingStep_ = nullptr;
  std::vector<platform::InstalledFontFile> installedFiles_;  // of the last listing
  std::vector<FontFileRow> describedRows_;                   // of the listing in steps
  std::unordered_map<std::string, QString> facesByPath_;     // of the last listing
  bool fillingFontNames_ = false;
  bool restartFill_ = false;  // asked for while a fill runs
};

}  // namespace qm::gui
