// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file's properties window: the desktop file manager's when one answers
// on the session bus, else the program's own.

#include <QDBusConnection>
#include <QDialog>
#include <string>
#include <vector>

namespace qm::gui {

// Asks the file manager on the bus to show the file's properties; false
// when none answers.
bool ShowPropertiesInFileManager(const std::string& path, QDBusConnection bus);

// The program's own properties window: names, kind, sizes, times,
// attributes and the faces the file holds.
class FilePropertiesDialog : public QDialog {
  Q_OBJECT
 public:
  FilePropertiesDialog(const std::string& path, const std::vector<std::string>& faces,
                       QWidget* parent = nullptr);
};

// The file manager's window, or else the program's own, shown modally.
// faces are listed in the program's own window.
void ShowProps(const std::string& path, const std::vector<std::string>& faces, QWidget* owner,
               QDBusConnection bus = QDBusConnection::sessionBus());

}  // namespace qm::gui
