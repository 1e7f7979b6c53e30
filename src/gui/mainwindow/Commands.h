#pragma once
// What the main window's toolbar and pop-up menus hold: keys, tool tips,
// kinds and pictures of the buttons, and the items of each menu.

#include <QIcon>
#include <QStyle>
#include <QVector>
#include <array>

namespace qm::gui {

inline constexpr int kToolbarPositions = 20;

enum class ButtonKind { Push, Check, Alignment };

struct ToolbarEntry {
  const char* key;  // nullptr for a separator
  const char* tip;
  ButtonKind kind;
  const char* themeIcon;
  QStyle::StandardPixmap standardIcon;
  const char* letter;  // drawn when the theme has no icon and the style has none fitting
};

extern const std::array<ToolbarEntry, kToolbarPositions> kToolbar;

// The picture of a button: the desktop's icon theme, then the style's
// standard icons, then a letter drawn for the purpose.
QIcon ToolbarIcon(const ToolbarEntry& entry);

// Tool tips of the buttons that act on the current tab's text, by position.
struct TabTip {
  int position;
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

}  // namespace qm::gui
