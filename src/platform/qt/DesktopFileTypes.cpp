#include "platform/qt/DesktopFileTypes.h"

#include <QFileInfo>

namespace qm::platform {

FileTypeInfo DesktopFileTypes::Describe(const std::string& fullPath) {
  const QString path = QString::fromStdString(fullPath);
  const QFileInfo file(path);
  // By name first; the content is read only when the name says nothing.
  const QMimeType type = mimeTypes_.mimeTypeForFile(file);
  FileTypeInfo info;
  info.displayName = file.fileName().toStdString();
  if (!type.isDefault()) info.typeName = type.comment().toStdString();
  info.icon = IconKeyFor(type, path);
  return info;
}

QIcon DesktopFileTypes::IconFor(FileIconKey key) const {
  if (key == 0 || key > icons_.size()) return {};
  return icons_[key - 1];
}

FileIconKey DesktopFileTypes::IconKeyFor(const QMimeType& type, const QString& path) {
  const auto known = keys_.constFind(type.name());
  if (known != keys_.constEnd()) return known.value();
  // The theme's icon for the kind, then its generic group, then whatever
  // the style draws for this file or any file.
  QIcon icon = QIcon::fromTheme(type.iconName());
  if (icon.isNull()) icon = QIcon::fromTheme(type.genericIconName());
  if (icon.isNull()) icon = iconProvider_.icon(QFileInfo(path));
  if (icon.isNull()) icon = iconProvider_.icon(QAbstractFileIconProvider::File);
  FileIconKey key = 0;  // kept too, so a kind without an icon is not asked again
  if (!icon.isNull()) {
    icons_.push_back(icon);
    key = icons_.size();
  }
  keys_.insert(type.name(), key);
  return key;
}

}  // namespace qm::platform
