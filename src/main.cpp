// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "core/platform/Platform.h"
#include "gui/mainwindow/Application.h"
#include "gui/mainwindow/MainWindow.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  qm::gui::ConfigureApplication(application);
  const auto platform = qm::platform::CreatePlatform();
  qm::gui::MainWindow window(*platform);
  window.Startup();
  // "退出" chosen while start-up still ran: no event loop is left to end.
  if (window.IsQuitting()) return 0;
  return application.exec();
}
