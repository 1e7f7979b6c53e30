// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/Commands.h"

#include <QApplication>
#include <QFont>

#include "gui/about/MakerSite.h"
#include "gui/common/Icons.h"

namespace qm::gui {

constexpr QStyle::StandardPixmap kNoStandard = QStyle::SP_CustomBase;

const std::array<ToolbarEntry, kToolbarPositions> kToolbar = {{
    {keys::kScan, "扫描系统字体", ButtonKind::Push, "view-refresh", QStyle::SP_BrowserReload,
     nullptr, "F5"},
    {keys::kBuildSheet, "列出所有字体的字型", ButtonKind::Push, "preferences-desktop-font",
     QStyle::SP_FileDialogDetailedView, nullptr, "F6"},
    {keys::kStop, "停止列出字型", ButtonKind::Push, "process-stop", QStyle::SP_BrowserStop, nullptr,
     "Esc"},
    {nullptr, nullptr, ButtonKind::Push, nullptr, kNoStandard, nullptr, nullptr},
    {keys::kFind, "在字体列表中查找字体名称", ButtonKind::Push, "edit-find",
     QStyle::SP_FileDialogContentsView, nullptr, "Ctrl+F"},
    {keys::kPrint, "打印字型列表", ButtonKind::Push, "document-print", kNoStandard, nullptr,
     "Ctrl+P"},
    {nullptr, nullptr, ButtonKind::Push, nullptr, kNoStandard, nullptr, nullptr},
    {keys::kOpenFolder, "打开系统字体文件夹", ButtonKind::Push, "folder-open",
     QStyle::SP_DirOpenIcon, nullptr, "Ctrl+O"},
    {"添加", "添加字体文件", ButtonKind::Push, "list-add", QStyle::SP_FileDialogNewFolder, nullptr,
     "Ctrl+N"},
    {keys::kDelete, "卸载并删除字体文件", ButtonKind::Push, "edit-delete", QStyle::SP_TrashIcon,
     nullptr, "Del"},
    {nullptr, nullptr, ButtonKind::Push, nullptr, kNoStandard, nullptr, nullptr},
    {keys::kBold, "设置字型列表文字为黑体", ButtonKind::Check, "format-text-bold", kNoStandard, "B",
     "Ctrl+B"},
    {keys::kItalic, "设置字型列表文字为斜体", ButtonKind::Check, "format-text-italic", kNoStandard,
     "I", "Ctrl+I"},
    {keys::kUnderline, "设置字型列表文字为下划线", ButtonKind::Check, "format-text-underline",
     kNoStandard, "U", "Ctrl+U"},
    {keys::kAlignLeft, "设置字型列表文字左对齐", ButtonKind::Alignment, "format-justify-left",
     kNoStandard, nullptr, "Ctrl+L"},
    {keys::kCentre, "设置字型列表文字置中", ButtonKind::Alignment, "format-justify-center",
     kNoStandard, nullptr, "Ctrl+E"},
    {keys::kSize, "设置字型列表文字大小和颜色", ButtonKind::Push, "format-font-size-more",
     kNoStandard, "A", "F8"},
    {nullptr, nullptr, ButtonKind::Push, nullptr, kNoStandard, nullptr, nullptr},
    {keys::kDownload, "网络下载新的字体", ButtonKind::Push, "go-down", QStyle::SP_ArrowDown,
     nullptr, "F9"},
    {keys::kHelp, "帮助和关于", ButtonKind::Push, "help-about", QStyle::SP_DialogHelpButton,
     nullptr, "F1"},
}};

QString TipWithShortcut(const QString& tip, const QKeySequence& shortcut) {
  if (shortcut.isEmpty()) return tip;
  return tip + QStringLiteral("（") + shortcut.toString(QKeySequence::NativeText) +
         QStringLiteral("）");
}

namespace {

QIcon AnyToolbarIcon(const ToolbarEntry& entry) {
  if (!entry.letter) return ThemeOrStandardIcon(entry.themeIcon, entry.standardIcon);
  QFont font;
  const QString letter = QString::fromUtf8(entry.letter);
  font.setBold(letter == QLatin1String("B"));
  font.setItalic(letter == QLatin1String("I"));
  font.setUnderline(letter == QLatin1String("U"));
  return ThemeOrLetterIcon(entry.themeIcon, letter, font);
}

}  // namespace

QIcon ToolbarIcon(const ToolbarEntry& entry) {
  // Every button's picture as large as the toolbar draws them, so that the
  // captions below stand in one line.
  return IconOfSize(AnyToolbarIcon(entry),
                    QApplication::style()->pixelMetric(QStyle::PM_ToolBarIconSize));
}

const std::array<TabTip, 7> kTabTips = {{
    {keys::kPrint, "打印字型列表", "打印自定义文本"},
    {keys::kBold, "设置字型列表文字为黑体", "设置自定义文本为黑体"},
    {keys::kItalic, "设置字型列表文字为斜体", "设置自定义文本为斜体"},
    {keys::kUnderline, "设置字型列表文字为下划线", "设置自定义文本为下划线"},
    {keys::kAlignLeft, "设置字型列表文字左对齐", "设置自定义文本左对齐"},
    {keys::kCentre, "设置字型列表文字置中", "设置自定义文本置中"},
    {keys::kSize, "设置字型列表文字大小和颜色", "设置自定义文字大小和颜色"},
}};

const QVector<MenuLayout> kMenus = {
    {keys::kMainMenu,
     {keys::kHomePage, keys::kOtherSoftware, keys::kLatestVersion, keys::kHelp, keys::kAbout,
      nullptr, keys::kExit}},
    {keys::kFontMenu, {keys::kFontSize, keys::kFontColour}},
    {keys::kFontFolderMenu,
     {keys::kFileProperties, keys::kViewFontFile, nullptr, keys::kRemoveFontFiles,
      keys::kInstallNewFonts}},
    {keys::kPrintMenu, {"打印...", "打印预览"}},
    {keys::kListMenu, {keys::kRemoveFonts, keys::kFamiliesForText}},
};

const std::array<MakerPageItem, 4> kMakerPageItems = {{
    {keys::kHomePage, maker_paths::kHome},
    {keys::kOtherSoftware, maker_paths::kOtherSoftware},
    {keys::kLatestVersion, maker_paths::kLatestVersion},
    {keys::kHelp, maker_paths::kHelp},
}};

}  // namespace qm::gui
