// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "卸载和删除字体": the chosen font files are unloaded and then, as the user
// chooses, left, put in the trash or moved to a folder; each row says what
// happened. Essential fonts and the system's are kept unless the user
// unchecks the boxes that keep them.

#include <QDialog>
#include <string>
#include <vector>

#include "core/platform/FontResources.h"
#include "core/platform/Platform.h"
#include "core/removal/FontRemoval.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace qm::gui {

class DelFonts : public QDialog {
  Q_OBJECT
 public:
  enum Column { kFileName, kFontName, kUnloaded, kDeleted, kMovedTo };

  // Reads the fonts folder, the user's own font folders and the files the
  // desktop draws its text in, for the checks of this opening.
  DelFonts(platform::Platform& platform, platform::FontResources& resources,
           QWidget* parent = nullptr);

  // The caller's part: one row per chosen file (a name in the fonts folder
  // or a full path, in the path's own bytes) and its font name, then the
  // count.
  void AddRow(const std::string& fileName, const QString& fontName);
  void ShowRowCount();

 private:
  void SetupWidgets();
  void OnBrowse();
  void OnOk();
  removal::RemovalOptions ChosenOptions() const;
  void ShowResults();
  std::vector<std::string> EssentialFiles();

  platform::Platform& platform_;
  platform::FontResources& resources_;
  removal::RemovalContext context_;
  std::vector<removal::RemovalRow> rows_;

  QTreeWidget* ListView1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QCheckBox* Check1 = nullptr;
  QCheckBox* Check2 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QRadioButton* Option3 = nullptr;
  QLineEdit* Text1 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
};

}  // namespace qm::gui
