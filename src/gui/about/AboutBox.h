// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about box: the program's name and version, the maker's notice and
// contacts, the maker's page in an embedded view, and a button that starts
// the system's information program.

#include <QDialog>

#include "core/platform/Platform.h"

class QLabel;
class QPushButton;

namespace qm::gui {

class PageView;

class AboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit AboutBox(platform::Platform& platform, QWidget* parent = nullptr);

  // Closing stops the page's fetch.
  void done(int result) override;

 private:
  QLayout* SetupHeading();
  QLayout* SetupContacts();
  QWidget* SetupPageView();
  QLayout* SetupButtons();
  void Navigate();
  void StartSysInfo();

  platform::Platform& platform_;
  QLabel* lblVersion = nullptr;
  PageView* WebBrowser1 = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdSysInfo = nullptr;
  QPushButton* Command1 = nullptr;
};

// The system's information program as the registry names it; empty when
// it names none or the program it names is not there.
QString SysInfoProgram(platform::RegistryApi& registry);

}  // namespace qm::gui
