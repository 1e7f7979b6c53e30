// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>
#include <utility>

#include "core/platform/Platform.h"
#include "gui/about/ProjectInfo.h"
#include "gui/common/Icons.h"
#include "gui/mainwindow/Application.h"
#include "gui/mainwindow/DisplayCheck.h"
#include "gui/mainwindow/MainWindow.h"

namespace {

// Answers --help and --version, which end the program, before anything
// needs a display. Other arguments are left to the toolkit (-platform,
// -display, ...).
void AnswerCommandLine(int argc, char* argv[]) {
  QCoreApplication::setApplicationName(QStringLiteral("Quillmere"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(qm::kVersion));
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Quillmere：查看、比较、打印和安装字体"));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("显示此帮助并退出。"));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("显示版本并退出。"));
  parser.addOption(help);
  parser.addOption(version);
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  parser.parse(arguments);
  if (!parser.isSet(help) && !parser.isSet(version)) return;
  // The help names the program as it was called, which needs an application object.
  const QCoreApplication console(argc, argv);
  if (parser.isSet(help)) parser.showHelp();
  parser.showVersion();
}

}  // namespace

int main(int argc, char* argv[]) {
  AnswerCommandLine(argc, argv);
  // The toolkit aborts when it finds no display; say so and end instead.
  if (!qm::gui::DisplayReachable(qm::gui::CurrentDisplaySetting(argc, argv))) {
    std::fputs(qm::gui::kNoDisplayMessage, stderr);
    return 1;
  }
  // Made first: it keeps fontconfig from the user's files that are no fonts
  // before the toolkit's first font request scans them.
  const auto platform = qm::platform::CreatePlatform();
  QApplication application(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("org.quillmere.Quillmere"));
  QApplication::setWindowIcon(qm::gui::ApplicationIcon());
  qm::gui::ConfigureApplication(application, *platform);
  // Read while the window is built and shown.
  auto firstScan = qm::gui::ReadInstalledFamiliesAhead(*platform);
  qm::gui::FaceEngine faces;
  qm::gui::MainWindow window(*platform, faces);
  window.Startup(std::move(firstScan));
  // "退出" chosen while start-up still ran: no event loop is left to end.
  if (window.IsQuitting()) return 0;
  return application.exec();
}
