// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog in which a person browses drives and folders, sees the font
// files of a folder with their family names and a sample, and installs the
// selected ones. The installation runs beside the window, so it stays
// usable: the progress shows "k/n", and "关闭" ends the run after the file
// in hand.

#include <QDialog>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/install/InstallPass.h"
#include "core/platform/FontResources.h"
#include "gui/foldertree/UsrDir.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTextEdit;
class QTimer;

namespace qm::gui {

class OpenFolder : public QDialog {
  Q_OBJECT
 public:
  static inline const QString kDeviceNotReady = QStringLiteral("设备没有准备好！");
  static inline const QStringList kFontFilePatterns = {
      QStringLiteral("*.ttf"), QStringLiteral("*.fon"), QStringLiteral("*.ttc"),
      QStringLiteral("*.otf"), QStringLiteral("*.otc")};

  // fontsFolder: where copies go and links are made.
  OpenFolder(std::string fontsFolder, std::unique_ptr<platform::FontResources> resources,
             QWidget* parent = nullptr, FolderTreeSources sources = {});
  ~OpenFolder() override;

  bool Installing() const { return running_; }
  // The folder File1 lists, ending in "/"; empty before the first one.
  const QString& ShownFolder() const { return shownFolder_; }

 signals:
  // A run ended and its message was shown.
  void InstallFinished(int installed);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void SetupWidgets();
  void SetupLayout();
  void OnFolderChange();
  void ShowFolder(const QString& folder);
  void FillNextFontNames();
  void ShowSample(int row);
  void SelectAll();
  void Install();
  // On the worker thread: the whole pass, telling the window as it goes.
  void RunPass(install::InstallPass& pass);
  void ShowProgress(std::size_t entry, qulonglong total);
  void OnRunEnded(std::vector<std::string> installed, int count);
  void AddNextApplicationFonts();
  void EndRun();
  void Close();

  std::string fontsFolder_;
  std::unique_ptr<platform::FontResources> resources_;
  QString shownFolder_;
  int namesFilled_ = 0;  // File1 rows whose font names List1 shows
  int sampleFontId_ = -1;
  bool running_ = false;
  bool closeAfterRun_ = false;
  std::atomic<bool> stopInstall_ = true;
  std::atomic<std::size_t> progressEntry_ = 0;  // the entry the worker is at, 1-based
  std::atomic<bool> progressPosted_ = false;    // an update of Label3 waits for the window
  std::thread worker_;
  std::vector<std::string> fontsToAdd_;  // installed files this program still has to load
  int installedCount_ = 0;
  QTimer* namesTimer_ = nullptr;

  UsrDir* usrDir1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QListWidget* File1 = nullptr;
  QListWidget* List1 = nullptr;
  QTextEdit* RichTextBox1 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QCheckBox* Check1 = nullptr;
};

}  // namespace qm::gui
