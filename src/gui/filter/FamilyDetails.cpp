// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/filter/FamilyDetails.h"

#include <QListWidgetItem>
#include <QStringList>

#include "core/catalogue/FamilyNames.h"
#include "core/catalogue/StyleNames.h"
#include "gui/common/ListedFamily.h"

namespace qm::gui {
namespace {

// Names from font files are shown as every name is: one bounded line.
QStringList Shown(const std::vector<std::string>& names) {
  QStringList shown;
  for (const std::string& name : names)
    shown << QString::fromStdString(catalogue::ShownFamilyName(name));
  return shown;
}

// Style names in Chinese where they are the common English ones.
QStringList ShownStyles(const std::vector<std::string>& styles) {
  QStringList shown;
  for (const std::string& style : styles)
    shown << QString::fromStdString(catalogue::ShownFamilyName(catalogue::ChineseStyleName(style)));
  return shown;
}

QStringList Real(const std::vector<std::string>& names) {
  QStringList real;
  for (const std::string& name : names) real << QString::fromUtf8(name);
  return real;
}

}  // namespace

QString FamilyToolTip(const platform::InstalledFamily& family) {
  QStringList lines;
  if (!family.otherNames.empty())
    lines << QStringLiteral("其他名称：") + Shown(family.otherNames).join(QStringLiteral("，"));
  if (!family.styles.empty())
    lines << QStringLiteral("样式：") + ShownStyles(family.styles).join(QStringLiteral("，"));
  if (!family.file.empty())
    lines << QStringLiteral("文件：") +
                 QString::fromStdString(catalogue::ShownFamilyName(family.file));
  return lines.join(u'\n');
}

void SetFamilyDetails(QListWidgetItem* entry, const platform::InstalledFamily& family) {
  entry->setData(kOtherNamesRole, Real(family.otherNames));
  entry->setToolTip(FamilyToolTip(family));
}

}  // namespace qm::gui
