#include "gui/mainwindow/Commands.h"

#include <QFont>

#include "gui/common/Icons.h"

namespace qm::gui {

constexpr QStyle::StandardPixmap kNoStandard = QStyle::SP_CustomBase;

const std::array<ToolbarEntry, kToolbarPositions> kToolbar = {{
    {"扫描", "扫描系统字体", ButtonKind::Push, "view-refresh", QStyle::SP_BrowserReload, nullptr},
    {"字型", "列出所有字体的字型", ButtonKind::Push, "preferences-desktop-font",
     QStyle::SP_FileDialogDetailedView, nullptr},
    {"停止", "停止列出字型", ButtonKind::Push, "process-stop", QStyle::SP_BrowserStop, nullptr},
    {nullptr, nullptr, ButtonKind::Push, nullptr, kNoStandard, nullptr},
    {"查找", "在字体列表中查找字体名称", ButtonKind::Push, "edit-find",
     QStyle::SP_FileDialogContentsView, nullptr},
    {"打印", "打印字型列表", ButtonKind::Push, "document-print", QStyle::SP_FileIcon, nullptr},
    {nullptr, nullptr, ButtonKind::Push, nullptr, kNoStandard, nullptr},
    {"打开", "打开系统字体文件夹", ButtonKind::Push, "folder-open", QStyle::SP_DirOpenIcon, nullptr},
    {"添加", "添加字体文件", ButtonKind::Push, "list-add", QStyle::SP_FileDialogNewFolder, nullptr},
    {"删除", "卸载并删除字体文件", ButtonKind::Push, "edit-delete", QStyle::SP_TrashIcon, nullptr},
    {nullptr, nullptr, ButtonKind::Push, nullptr, kNoStandard, nullptr},
    {"黑体", "设置字型列表文字为黑体", ButtonKind::Check, "format-text-bold", kNoStandard, "B"},
    {"斜体", "设置字型列表文字为斜体", ButtonKind::Check, "format-text-italic", kNoStandard, "I"},
    {"下划线", "设置字型列表文字为下划线", ButtonKind::Check, "format-text-underline", kNoStandard,
     "U"},
    {"左对齐", "设置字型列表文字左对齐", ButtonKind::Alignment, "format-justify-left", kNoStandard,
     "≡"},
    {"置中", "设置字型列表文字置中", ButtonKind::Alignment, "format-justify-center", kNoStandard,
     "☰"},
    {"大小", "设置字型列表文字大小和颜色", ButtonKind::Push, "format-font-size-more", kNoStandard,
     "A"},
    {nullptr, nullptr, ButtonKind::Push, nullptr, kNoStandard, nullptr},
    {"下载", "网络下载新的字体", ButtonKind::Push, "go-down", QStyle::SP_ArrowDown, nullptr},
    {"帮助", "帮助和关于", ButtonKind::Push, "help-about", QStyle::SP_DialogHelpButton, nullptr},
}};

QIcon ToolbarIcon(const ToolbarEntry& entry) {
  if (!entry.letter) return ThemeOrStandardIcon(entry.themeIcon, entry.standardIcon);
  QFont font;
  const QString letter = QString::fromUtf8(entry.letter);
  font.setBold(letter == QLatin1String("B"));
  font.setItalic(letter == QLatin1String("I"));
  font.setUnderline(letter == QLatin1String("U"));
  return ThemeOrLetterIcon(entry.themeIcon, letter, font);
}

const std::array<TabTip, 7> kTabTips = {{
    {6, "打印字型列表", "打印自定义文本"},
    {12, "设置字型列表文字为黑体", "设置自定义文本为黑体"},
    {13, "设置字型列表文字为斜体", "设置自定义文本为斜体"},
    {14, "设置字型列表文字为下划线", "设置自定义文本为下划线"},
    {15, "设置字型列表文字左对齐", "设置自定义文本左对齐"},
    {16, "设置字型列表文字置中", "设置自定义文本置中"},
    {17, "设置字型列表文字大小和颜色", "设置自定义文字大小和颜色"},
}};

const QVector<MenuLayout> kMenus = {
    {"菜单", {"作者主页", "作者的其他软件", "最新版本", "帮助", "关于", nullptr, "退出"}},
    {"字体", {"字体大小", "字体颜色"}},
    {"字体文件夹",
     {"文件属性", "查看字体文件", nullptr, "卸载并删除字体文件", "安装新的字体"}},
    {"打印菜单", {"打印...", "打印预览"}},
    {"list菜单", {"卸载和删除字体"}},
};

}  // namespace qm::gui
