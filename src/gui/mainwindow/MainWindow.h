#pragma once
// The main window: the font-name list, the three tabs, the toolbar and the
// pop-up menus, start-up, and hiding instead of closing.

#include <QMainWindow>
#include <QVector>
#include <functional>

#include "gui/mainwindow/TrayIcon.h"
#include "core/platform/Platform.h"
#include "core/system/SampleFontSize.h"
#include "gui/common/TextStyles.h"

class QAction;
class QActionGroup;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTabWidget;
class QTextEdit;
class QTimer;
class QToolBar;

namespace qm::gui {

class FontFileTab;
class FontNameList;
class SheetFacePrefetcher;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kExitDelayMs = 10;

  explicit MainWindow(platform::Platform& platform, QWidget* parent = nullptr);

  // Reads the setting, names the system, shows the window, scans the fonts
  // and adds the notification icon; reports the last failure once at the end.
  // An exit chosen meanwhile ends it early, and the caller then starts no
  // event loop (IsQuitting()).
  void Startup();

  void ScanInstalledFonts();
  void ShowFontEffect();
  QString OsVersion();

  // The sample sheet and the restyling of the current tab's text.
  void BuildSampleSheet();
  void SyncListToSheetLine();
  void TextBold(QAction* button);
  void TextItalic(QAction* button);
  void TextUnderline(QAction* button);
  void TextAlignLeft();
  void TextCenter();
  void ChooseTextColor();

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
  bool ScanRunning() const { return scanRunning_; }
  const gui::TextStyleFlags& SheetStyle() const { return sheetStyle_; }
  const gui::TextStyleFlags& CustomStyle() const { return customStyle_; }
  qint16 SampleFontSize() const { return sampleFontSize_; }
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
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetupWidgets();
  QGroupBox* SetupFontNameFrame();
  QWidget* SetupSampleTab();
  QWidget* SetupCustomTab();
  void SetupToolbar();
  void SetupMenus();
  void SetupConnections();
  void SwitchOffWordWrap();

  QString ReadSampleFontSize();
  void OnList1Click(int row);
  void OnTabSwitch(int tab);
  void OnToolbarButton(QAction* button);
  void ShowTabStyles(int tab);
  // The box whose whole text the style commands change on a tab, and its
  // flags; none on the font-file tab.
  QWidget* StyledBox(int tab) const;
  gui::TextStyleFlags* StyleFlags(int tab);
  void SetWholeTextStyle(QAction* button, gui::TextStyle style, bool gui::TextStyleFlags::*flag);
  void SetAlignment(bool centred);
  void OpenFindList();
  void PopUp(QMenu* menu);
  void BeginExit();
  void Exit();

  platform::Platform& platform_;
  TrayIcon tray_;
  QString osName_;
  qint16 sampleFontSize_ = system::kDefaultSampleFontSize;
  bool stopRequested_ = false;
  bool isQuitting_ = false;
  bool scanRunning_ = false;
  bool sheetRunning_ = false;
  gui::TextStyleFlags sheetStyle_;
  gui::TextStyleFlags customStyle_;
  QColor cd2Colour_ = Qt::black;  // the colour dialog's value: black until one is chosen
  std::function<bool()> trayAvailable_;

  FontNameList* List1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label7 = nullptr;
  QTabWidget* SSTab1 = nullptr;
  QTextEdit* RichTextBox1 = nullptr;
  QPlainTextEdit* RichTextBox2 = nullptr;
  gui::SheetFacePrefetcher* sheetPrefetcher_ = nullptr;
  QTextEdit* RichTextBox3 = nullptr;
  QTextEdit* RichTextBox4 = nullptr;
  gui::FontFileTab* fontFileTab_ = nullptr;
  QToolBar* tbToolBar = nullptr;
  QVector<QAction*> toolbarButtons_;  // by position - 1; nullptr for separators
  QActionGroup* alignmentGroup_ = nullptr;
  QVector<QMenu*> menus_;
  QMenu* mainMenu_ = nullptr;
  QTimer* Timer1 = nullptr;
};

}  // namespace qm::gui
