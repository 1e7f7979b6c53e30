// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/removal/DesktopTrash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace qm::gui {
namespace {

bool Exists(const QString& path) {
  const QFileInfo info(path);
  return info.exists() || info.isSymLink();
}

// Qt moves a file only into a trash folder that exists already.
void MakeHomeTrash() {
  const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                        QStringLiteral("/Trash");
  QDir().mkpath(trash + QStringLiteral("/files"));
  QDir().mkpath(trash + QStringLiteral("/info"));
}

}  // namespace

bool MoveToDesktopTrash(const std::string& path) {
  // Qt trashes files through the freedesktop.org trash rules (restore
  // information, names made unique, the trash of another volume), so the
  // program does not write them again. A name that does not survive the
  // trip through QString cannot be named to Qt: it is not trashed.
  const QString name = QFile::decodeName(QByteArray::fromStdString(path));
  if (QFile::encodeName(name).toStdString() != path) return false;
  MakeHomeTrash();
  QString inTrash;
  if (!QFile::moveToTrash(name, &inTrash)) return false;
  const QFileInfo trashed(inTrash);
  const QString info = trashed.dir().absoluteFilePath(
      QStringLiteral("../info/") + trashed.fileName() + QStringLiteral(".trashinfo"));
  return !Exists(name) && Exists(inTrash) && QFileInfo::exists(info);
}

}  // namespace qm::gui
