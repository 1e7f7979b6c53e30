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
#include "gui/common/TextStyles.h"
#include "gui/mainwindow/InstalledFontScan.h"
#include "gui/mainwindow/TrayIcon.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QSplitter;
class QTabWidget;
class QTextDocument;
class QTimer;
class QToolBar;

namespace qm::gui {

class CompareWindow;
class CoverageLine;
class CustomTextTab;
class FamilyFilter;
class FontFileTab;
class FontNameList;
class SheetTab;
class StyledTextTab;

class MainWindow : public QMainWindow, public FontSizeTarget {
  Q_OBJECT
 public:
  static constexpr int kExitDelayMs = 10;

  explicit MainWindow(platform::Platform& platform, QWidget* parent = nullptr);

  // Reads the setting, names the system, shows the window, scans the fonts
  // and adds the notification icon; reports the last failure once at the end.
  // An exit chosen meanwhile ends it early, and the caller then starts no
  // event loop (IsQuitting()). The scan takes the families from firstScan
  // when given (read while the window was being built).
  void Startup(std::future<InstalledFamilies> firstScan = {});

  void ScanInstalledFonts();
  // The sample of the chosen family on the first tab.
  void ShowFontEffect();
  void BuildSampleSheet();
  // The font-file list of the second tab.
  bool OpenFontsFolder();  // true when it loaded the list
  void LoadFontFileList(const QString& folder);
  void FillFontNameColumn();
  bool FillingFontNames() const;

  // The toolbar button at a 1-based position; nullptr for a separator.
  QAction* ToolbarButton(int position) const;
  QMenu* PopupMenu(const QString& caption) const;

  bool IsQuitting() const { return isQuitting_; }
  bool StopRequested() const { return stopRequested_; }
  // The faces the sample and the sheet draw with.
  FaceEngine& Faces() { return faceEngine_; }
  bool ScanRunning() const { return scanRunning_; }
  const TextStyleFlags& SheetStyle() const;
  const TextStyleFlags& CustomStyle() const;
  qint16 SampleFontSize() const override { return sampleFontSize_; }
  // The current tab's whole text takes the size; the file tab has none.
  void ApplySampleFontSize(qint16 size) override;
  void OpenFontSizeDialog();
  // The comparison window, once a comparison was asked for.
  CompareWindow* ComparisonWindow() const { return yh_; }
  const QString& OsName() const { return osName_; }
  TrayIcon& Tray() { return tray_; }

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
  QWidget* SetupFontNameFrame();
  void KeepListWidth(QSplitter* columns);
  void SetupToolbar();
  void SetupMenus();
  void SetupCommands();
  void SetupConnections();

  QString ReadSampleFontSize();
  QString OsVersion();
  ListedFamilies FamilyNames() const;
  QString FontFileOf(const QByteArray& realName) const;
  void OnList1Click(int row);
  void ShowOnCustomTab(const ListedFamily& family);
  void ShowFamiliesForText();
  void SyncListToSheetLine(int line);
  void OnTabSwitch(int tab);
  void Route(const QString& key, QAction* trigger);
  QAction* Button(const char* key) const;
  void ShowTabStyles(int tab);
  // The tab whose text the style commands change: none on the file tab.
  StyledTextTab* StyledTab(int tab) const;
  void SetWholeTextStyle(QAction* button, TextStyle style);
  void SetAlignment(bool centred);
  void ChooseTextColor();
  // The current tab's text: through the print dialog, or in the preview.
  void PrintSamples();
  void PrintPreview();
  // The current tab's whole text to print; nullptr when there is none.
  std::unique_ptr<QTextDocument> PrintableText() const;
  void OpenFindList();
  // A page of the maker's web site in the desktop's browser.
  void OpenMakerPage(const char* path);
  void ShowAboutBox();
  // The actions on the selected font files of tab 1 and fonts of List1.
  void RemoveSelectedFontFiles();
  void RemoveSelectedFonts();
  void OpenInstallDialog();
  ListedFamilies SelectedFamilies() const;
  void CompareSelectedFonts();
  void SaveAsWebPageFile();
  void PopUp(const char* menu);
  void BeginExit();
  void Exit();

  platform::Platform& platform_;
  FaceEngine faceEngine_;
  ListedFaceFinder faceFinder_{platform_};
  TrayIcon tray_;
  QString osName_;
  qint16 sampleFontSize_ = system::kDefaultSampleFontSize;
  bool stopRequested_ = false;
  bool isQuitting_ = false;
  bool scanRunning_ = false;
  bool listWidthRestored_ = false;  // the list's kept width, once shown
  QColor cd2Colour_ = Qt::black;    // the colour dialog's value: black until one is chosen
  std::function<bool()> trayAvailable_;
  QHash<QString, Command> commands_;

  FontNameList* List1 = nullptr;
  FamilyFilter* filter_ = nullptr;
  CoverageLine* coverageLine_ = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label7 = nullptr;
  QTabWidget* SSTab1 = nullptr;
  SheetTab* sheetTab_ = nullptr;
  FontFileTab* fontFileTab_ = nullptr;
  CustomTextTab* customTab_ = nullptr;
  QToolBar* tbToolBar = nullptr;
  QVector<QAction*> toolbarButtons_;  // by position - 1; nullptr for separators
  QActionGroup* alignmentGroup_ = nullptr;
  QHash<QString, QMenu*> menus_;  // by caption
  QTimer* Timer1 = nullptr;
  CompareWindow* yh_ = nullptr;
};

}  // namespace qm::gui
