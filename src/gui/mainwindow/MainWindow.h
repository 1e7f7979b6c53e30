// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: start-up, the font-name list, the three tabs, the
// toolbar and the pop-up menus, the routing of their commands by key, and
// hiding instead of closing.

#include <QHash>
#include <QMainWindow>
#include <functional>
#include <memory>

#include "core/platform/Platform.h"
#include "core/system/SampleFontSize.h"
#include "gui/common/CallingForm.h"
#include "gui/common/FaceEngine.h"
#include "gui/common/FaceText.h"
#include "gui/common/ListedFamily.h"
#include "gui/mainwindow/InstalledFontScan.h"
#include "gui/mainwindow/StyleButtons.h"
#include "gui/mainwindow/WindowSettings.h"
#include "gui/preview/TabPrinting.h"
#include "gui/removal/RemovalCommands.h"

class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class QTimer;
class QToolBar;

namespace qm::gui {

class CompareWindow;
class CoverageLine;
class CustomTextTab;
class FontNameFrame;
class FontFileTab;
class FontNameList;
class SheetTab;
class StyledTextTab;
class TrayIcon;

class MainWindow : public QMainWindow, public FontSizeTarget {
  Q_OBJECT
 public:
  static constexpr int kExitDelayMs = 10;

  // faces: the faces the sample, the sheet and the pages draw with.
  MainWindow(platform::Platform& platform, FaceEngine& faces, QWidget* parent = nullptr);

  // Reads the setting, names the system, shows the window, scans the fonts
  // and adds the notification icon; reports the last failure once at the end.
  // An exit chosen meanwhile ends it early, and the caller then starts no
  // event loop (IsQuitting()). The scan takes the families from firstScan
  // when given (read while the window was being built).
  void Startup(std::future<InstalledFamilies> firstScan = {});

  void ScanInstalledFonts();

  bool IsQuitting() const { return isQuitting_; }
  // Whether the stop button was pressed since the last scan began.
  bool StopRequested() const { return stopRequested_; }
  qint16 SampleFontSize() const override { return sampleFontSize_; }
  // The current tab's whole text takes the size; the file tab has none.
  void ApplySampleFontSize(qint16 size) override;

  // Whether closing may hide the window: only with a notification area to
  // bring it back from, asked at each close since a panel may come or go.
  // Tests give the answer; by default the desktop is asked.
  void SetTrayAvailable(bool available) {
    trayAvailable_ = [available] { return available; };
  }

  // The toolbar must stay: without it scanning and help are out of reach.
  QMenu* createPopupMenu() override { return nullptr; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // The families from readAhead when given, else read now.
  void ScanInstalledFonts(std::future<InstalledFamilies> readAhead);

  using Command = std::function<void(QAction*)>;

  void SetupWidgets();
  void SetupMenus();
  void SetupCommands();
  void SetupConnections();

  QString FontFileOf(const QByteArray& realName) const;
  // The sample of the chosen family on the first tab.
  void ShowFontEffect();
  void BuildSampleSheet();
  void OnList1Click(int row);
  void ShowOnCustomTab(const ListedFamily& family);
  void SyncListToSheetLine(int line);
  void OnTabSwitch(int tab);
  void Route(const QString& key, QAction* trigger);
  // The tab whose text the style commands change: none on the file tab.
  StyledTextTab* StyledTab(int tab) const;
  StyledTextTab* CurrentStyledTab() const;
  // A page of the maker's web site in the desktop's browser.
  void OpenMakerPage(const char* path);
  // The selected files of the font-file tab, to remove.
  void RemoveSelectedFontFiles();
  void OpenInstallDialog();
  void CompareSelectedFonts();
  void PopUp(const char* menu);
  void BeginExit();
  void Exit();

  platform::Platform& platform_;
  FaceEngine& faceEngine_;
  ListedFaceFinder faceFinder_{platform_};
  TrayIcon* tray_ = nullptr;
  QString osName_;
  WindowSettings settings_;
  TabPrinting printing_{faceEngine_, faceFinder_, [this] { return CurrentStyledTab(); }, this};
  RemovalCommands removal_{platform_, osName_, this};
  qint16 sampleFontSize_ = system::kDefaultSampleFontSize;
  bool stopRequested_ = false;
  bool isQuitting_ = false;
  bool scanRunning_ = false;
  std::function<bool()> trayAvailable_;
  QHash<QString, Command> commands_;

  FontNameList* List1 = nullptr;
  FontNameFrame* listFrame_ = nullptr;
  CoverageLine* coverageLine_ = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label7 = nullptr;
  QTabWidget* SSTab1 = nullptr;
  SheetTab* sheetTab_ = nullptr;
  FontFileTab* fontFileTab_ = nullptr;
  CustomTextTab* customTab_ = nullptr;
  QToolBar* tbToolBar = nullptr;
  std::unique_ptr<StyleButtons> styles_;
  QHash<QString, QMenu*> menus_;  // by caption
  QTimer* Timer1 = nullptr;
  CompareWindow* yh_ = nullptr;
};

}  // namespace qm::gui
