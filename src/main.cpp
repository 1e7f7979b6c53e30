// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <cstdio>

#include "core/platform/Platform.h"
#include "gui/mainwindow/Application.h"
#include "gui/mainwindow/DisplayCheck.h"
#include "gui/mainwindow/MainWindow.h"

int main(int argc, char* argv[]) {
  // The toolkit aborts when it finds no display; say so and end instead.
  if (!qm::gui::DisplayReachable(qm::gui::CurrentDisplaySetting(argc, argv))) {
    std::fputs(qm::gui::kNoDisplayMessage, stderr);
    return 1;
  }
  // Made first: it keeps fontconfig from the user's files that are no fonts
  // before the toolkit's first font request scans them.
  const auto platform = qm::platform::CreatePlatform();
  QApplication application(argc, argv);
  qm::gui::ConfigureApplication(application, *platform);
  qm::gui::MainWindow window(*platform);
  window.Startup();
  // "退出" chosen while start-up still ran: no event loop is left to end.
  if (window.IsQuitting()) return 0;
  return application.exec();
}
