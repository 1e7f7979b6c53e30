// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/DesktopFileTypes.h"

#include <QFileInfo>
#include <QList>

#include "gui/common/Icons.h"

namespace qm::gui {

platform::FileTypeInfo DesktopFileTypes::Describe(const std::string& fullPath) {
  const QString path = QString::fromStdString(fullPath);
  const QString name = path.mid(path.lastIndexOf(u'/') + 1);
  platform::FileTypeInfo info;
  info.displayName = name.toStdString();
  // A folder of fonts holds few kinds: where the suffix alone names the
  // kind, it is looked up once per suffix, without touching the file.
  const QString suffix = name.mid(name.lastIndexOf(u'.') + 1).toCaseFolded();
  const bool hasSuffix = name.lastIndexOf(u'.') > 0;
  if (hasSuffix) {
    if (const auto known = kindBySuffix_.constFind(suffix); known != kindBySuffix_.constEnd()) {
      info.typeName = known->typeName;
      info.icon = known->icon;
      return info;
    }
  }
  const QList<QMimeType> byName = mimeTypes_.mimeTypesForFileName(name);
  // Otherwise by name and, when the name says nothing, by content.
  const QMimeType type = byName.size() == 1 ? byName.front() : mimeTypes_.mimeTypeForFile(path);
  if (!type.isDefault()) info.typeName = type.comment().toStdString();
  info.icon = IconKeyFor(type, path);
  if (hasSuffix && byName.size() == 1) kindBySuffix_.insert(suffix, {info.typeName, info.icon});
  return info;
}

QIcon DesktopFileTypes::IconFor(platform::FileIconKey key) const {
  if (key == 0 || key > icons_.size()) return {};
  return icons_[key - 1];
}

platform::FileIconKey DesktopFileTypes::IconKeyFor(const QMimeType& type, const QString& path) {
  const auto known = keys_.constFind(type.name());
  if (known != keys_.constEnd()) return known.value();
  // The theme's icon for the kind, then its generic group, then whatever
  // the style draws for this file or any file.
  QIcon icon = ThemeIcon(type.iconName());
  if (icon.isNull()) icon = ThemeIcon(type.genericIconName());
  if (icon.isNull()) icon = iconProvider_.icon(QFileInfo(path));
  if (icon.isNull()) icon = iconProvider_.icon(QAbstractFileIconProvider::File);
  platform::FileIconKey key = 0;  // kept too, so a kind without an icon is not asked again
  if (!icon.isNull()) {
    icons_.push_back(icon);
    key = icons_.size();
  }
  keys_.insert(type.name(), key);
  return key;
}

}  // namespace qm::gui
