// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the program as its own main() does and ends the process the moment
// the total "字体总数：N" has been drawn, so that the time from launch to the
// end of this process is the time a user waits for the total.

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "core/platform/Platform.h"
#include "gui/common/Icons.h"
#include "gui/mainwindow/Application.h"
#include "gui/mainwindow/MainWindow.h"

namespace {

class TotalDrawn : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* label = static_cast<QLabel*>(watched);
    if (event->type() != QEvent::Paint || !label->text().startsWith(QStringLiteral("字体总数：")))
      return false;
    watched->event(event);  // draws the total
    std::printf("%s\n", label->text().toStdString().c_str());
    std::fflush(stdout);
    std::_Exit(0);
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  // In the program's own order: the platform first (see src/main.cpp).
  const auto platform = qm::platform::CreatePlatform();
  QApplication application(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("org.quillmere.Quillmere"));
  QApplication::setWindowIcon(qm::gui::ApplicationIcon());
  qm::gui::ConfigureApplication(application, *platform);
  // Read while the window is built and shown.
  auto firstScan = qm::gui::ReadInstalledFamiliesAhead(*platform);
  qm::gui::FaceEngine windowFaces;
  qm::gui::MainWindow window(*platform, windowFaces);
  TotalDrawn totalDrawn;
  window.findChild<QLabel*>(QStringLiteral("Label1"))->installEventFilter(&totalDrawn);
  window.Startup(std::move(firstScan));
  return application.exec();
}
