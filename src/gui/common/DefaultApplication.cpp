// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/DefaultApplication.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

namespace qm::gui {
namespace {

using Groups = QHash<QString, QHash<QString, QString>>;

// An ini-style file of the desktop: [Group] lines and key=value lines.
Groups ReadKeyFile(const QString& path) {
  Groups groups;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return groups;
  QTextStream in(&file);
  QString group;
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.startsWith(u'[') && line.endsWith(u']')) {
      group = line.mid(1, line.size() - 2);
    } else if (const qsizetype equals = line.indexOf(u'='); equals > 0 && !line.startsWith(u'#')) {
      groups[group].insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
  }
  return groups;
}

QStringList Entries(const QString& list) {
  QStringList entries = list.split(u';', Qt::SkipEmptyParts);
  for (QString& entry : entries) entry = entry.trimmed();
  return entries;
}

// The desktop entry of an application id, from the applications folders.
QString DesktopFilePath(const QString& id) {
  QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
  // "vendor-app.desktop" may live in a "vendor/" subfolder.
  for (qsizetype dash = id.indexOf(u'-'); path.isEmpty() && dash > 0;
       dash = id.indexOf(u'-', dash + 1)) {
    QString nested = id;
    nested[dash] = u'/';
    path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, nested);
  }
  return path;
}

// The MIME apps lists, most personal first.
QStringList MimeAppsLists() {
  QStringList lists;
  for (const QString& folder :
       QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
    lists << folder + QStringLiteral("/mimeapps.list");
  for (const QString& folder :
       QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
    lists << folder + QStringLiteral("/mimeapps.list") << folder + QStringLiteral("/defaults.list");
  }
  return lists;
}

QString DefaultIdFor(const QString& mimeType) {
  const QString defaults = QStringLiteral("Default Applications");
  for (const QString& list : MimeAppsLists()) {
    const Groups groups = ReadKeyFile(list);
    for (const QString& id : Entries(groups.value(defaults).value(mimeType)))
      if (!DesktopFilePath(id).isEmpty()) return id;
  }
  // No default chosen: the first application that says it opens the type.
  for (const QString& folder :
       QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
    const Groups cache = ReadKeyFile(folder + QStringLiteral("/mimeinfo.cache"));
    for (const QString& id : Entries(cache.value(QStringLiteral("MIME Cache")).value(mimeType)))
      if (!DesktopFilePath(id).isEmpty()) return id;
  }
  return {};
}

// Splits an Exec value as the desktop entry rules quote it.
QStringList SplitExec(const QString& exec) {
  QStringList words;
  QString word;
  bool quoted = false;
  bool inWord = false;
  for (qsizetype i = 0; i < exec.size(); ++i) {
    const QChar c = exec[i];
    if (quoted && c == u'\\' && i + 1 < exec.size()) {
      word += exec[++i];
    } else if (c == u'"') {
      quoted = !quoted;
      inWord = true;
    } else if (!quoted && c.isSpace()) {
      if (inWord) words << word;
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words << word;
  return words;
}

}  // namespace

DesktopApplication DefaultApplicationFor(const QString& filePath) {
  const QMimeType type = QMimeDatabase().mimeTypeForFile(filePath);
  QStringList types = QStringList{type.name()} + type.aliases() + type.allAncestors();
  for (const QString& mimeType : types) {
    const QString id = DefaultIdFor(mimeType);
    if (id.isEmpty()) continue;
    const QString desktopFile = DesktopFilePath(id);
    const QString exec = ReadKeyFile(desktopFile)
                             .value(QStringLiteral("Desktop Entry"))
                             .value(QStringLiteral("Exec"));
    if (!exec.isEmpty()) return {desktopFile, SplitExec(exec)};
  }
  return {};
}

QStringList CommandFor(const DesktopApplication& application, const QString& filePath) {
  QStringList command;
  bool placed = false;
  for (const QString& word : application.command) {
    if (word == u"%f" || word == u"%F" || word == u"%u" || word == u"%U") {
      command << filePath;
      placed = true;
    } else if (word == u"%i" || word == u"%c" || word == u"%k") {
      continue;  // icon, name and entry: nothing the viewer needs
    } else {
      command << QString(word).replace(QStringLiteral("%%"), QStringLiteral("%"));
    }
  }
  if (!placed && !command.isEmpty()) command << filePath;
  return command;
}

bool OpenWithDefaultApplication(const QString& filePath) {
  const QStringList command = CommandFor(DefaultApplicationFor(filePath), filePath);
  if (command.isEmpty()) return false;
  return QProcess::startDetached(command.constFirst(), command.mid(1));
}

}  // namespace qm::gui
