// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window's toolbar and pop-up menus hold: keys, tool tips,
// kinds and pictures of the buttons, and the items of each menu.

#include <QIcon>
#include <QKeySequence>
#include <QStyle>
#include <QVector>
#include <array>

namespace qm::gui {

// The keys of the commands the window routes: each toolbar button and menu
// item carries its caption as its object name, and one table maps keys to
// what they do. A button's key is its caption; a menu item's is
// MenuItemKey(menu, item), since a menu may repeat a button's caption.
namespace keys {
inline constexpr char kScan[] = "扫描";
inline constexpr char kBuildSheet[] = "字型";
inline constexpr char kStop[] = "停止";
inline constexpr char kFind[] = "查找";
inline constexpr char kPrint[] = "打印";
inline constexpr char kOpenFolder[] = "打开";
inline constexpr char kAdd[] = "添加";
inline constexpr char kBold[] = "黑体";
inline constexpr char kItalic[] = "斜体";
inline constexpr char kUnderline[] = "下划线";
inline constexpr char kAlignLeft[] = "左对齐";
inline constexpr char kCentre[] = "置中";
inline constexpr char kSize[] = "大小";
inline constexpr char kHelp[] = "帮助";
inline constexpr char kExit[] = "退出";
inline constexpr char kFontColour[] = "字体颜色";
inline constexpr char kDownload[] = "下载";
inline constexpr char kHomePage[] = "作者主页";
inline constexpr char kOtherSoftware[] = "作者的其他软件";
inline constexpr char kLatestVersion[] = "最新版本";
inline constexpr char kAbout[] = "关于";
inline constexpr char kDelete[] = "删除";
inline constexpr char kFileProperties[] = "文件属性";
inline constexpr char kViewFontFile[] = "查看字体文件";
inline constexpr char kRemoveFontFiles[] = "卸载并删除字体文件";
inline constexpr char kRemoveFonts[] = "卸载和删除字体";
inline constexpr char kInstallNewFonts[] = "安装新的字体";
inline constexpr char kPrintSamples[] = "打印...";
inline constexpr char kPrintPreview[] = "打印预览";
inline constexpr char kFontSize[] = "字体大小";
// The buttons of the tabs, by caption.
inline constexpr char kSaveAsWebPageFile[] = "保存为网页文件";
inline constexpr char kCompareSelected[] = "所有选中字体比较";
inline constexpr char kFamiliesForText[] = "能显示自定义文字的字体";
// The pop-up menus, by caption.
inline constexpr char kMainMenu[] = "菜单";
inline constexpr char kFontMenu[] = "字体";
inline constexpr char kFontFolderMenu[] = "字体文件夹";
inline constexpr char kPrintMenu[] = "打印菜单";
inline constexpr char kListMenu[] = "list菜单";
}  // namespace keys

inline constexpr int kToolbarPositions = 20;

enum class ButtonKind { Push, Check, Alignment };

struct ToolbarEntry {
  const char* key;  // nullptr for a separator
  const char* tip;
  ButtonKind kind;
  const char* themeIcon;
  QStyle::StandardPixmap standardIcon;
  const char* letter;    // drawn when the theme has no icon and the style has none fitting
  const char* shortcut;  // the key that presses the button, in QKeySequence's portable text
};

extern const std::array<ToolbarEntry, kToolbarPositions> kToolbar;

// A button's tool tip, naming the key that presses it: "扫描系统字体（F5）".
QString TipWithShortcut(const QString& tip, const QKeySequence& shortcut);

// The picture of a button: the desktop's icon theme, then the style's
// standard icons, then a letter drawn for the purpose.
QIcon ToolbarIcon(const ToolbarEntry& entry);

// Tool tips of the buttons that act on the current tab's text.
struct TabTip {
  const char* key;
  const char* sheet;
  const char* custom;
};
extern const std::array<TabTip, 7> kTabTips;

// A pop-up menu: its caption and items.
struct MenuLayout {
  const char* caption;
  QVector<const char*> items;  // nullptr for a separator
};

extern const QVector<MenuLayout> kMenus;

// A main-menu item that opens a page of the maker's web site.
struct MakerPageItem {
  const char* item;
  const char* path;
};
extern const std::array<MakerPageItem, 4> kMakerPageItems;

inline QString MenuItemKey(const QString& menu, const QString& item) { return menu + u'/' + item; }

}  // namespace qm::gui
