// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's default application for a kind of file, found as the
// desktop finds it: the MIME apps lists of the user and the system, then
// the applications' own caches, reading the desktop entries named there.

#include <QString>
#include <QStringList>

namespace qm::gui {

struct DesktopApplication {
  QString desktopFile;  // the entry's path; empty when none was found
  QStringList command;  // the Exec line split into the program and its arguments
};

// The default application for the file's MIME type or, failing that, for
// the types it is a kind of.
DesktopApplication DefaultApplicationFor(const QString& filePath);

// The command with the file put in place of its field codes, as one
// argument whatever it holds; appended when the line names no place for it.
QStringList CommandFor(const DesktopApplication& application, const QString& filePath);

// Starts the default application on the file, without waiting; false when
// there is none or it cannot be started.
bool OpenWithDefaultApplication(const QString& filePath);

}  // namespace qm::gui
