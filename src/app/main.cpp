#include <QApplication>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "platform/Platform.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  qm::app::ConfigureApplication(application);
  const auto platform = qm::platform::CreatePlatform();
  qm::app::MainWindow window(*platform);
  window.Startup();
  return application.exec();
}
