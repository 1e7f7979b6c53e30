// SPDX-License-Identifier: GPL-3.0-or-later
// Times the install dialog: opening it (the tree with the first level of
// every mounted volume) beside a bare dialog with an empty tree, and
// installing every font of a folder in copy mode beside `cp` of the same
// files plus one `fc-cache` of the folder. While installing, a timer
// ticking every 5 ms tells the longest pause of the window, beside the
// same timer's longest pause with nothing to do. Prints figures.
//
// usage: quillmere_install_bench FONT_FOLDER [RUNS]

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "Timing.h"
#include "core/platform/FontResources.h"
#include "core/platform/Platform.h"
#include "gui/common/Dialogs.h"
#include "gui/install/OpenFolder.h"
#include "gui/mainwindow/Application.h"

namespace fs = std::filesystem;

namespace {

// A home of the run's own, with a configuration that lists only its fonts
// folder and reads the user's rules, as a desktop's does.
std::string MakeHome() {
  const std::string root = fs::temp_directory_path() / "quillmere-install-bench";
  fs::remove_all(root);
  for (const char* folder : {"home", "config", "data/fonts", "cache", "anchor"})
    fs::create_directories(root + "/" + folder);
  std::ofstream(root + "/fonts.conf")
      << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
         "<fontconfig><dir>"
      << root << "/data/fonts</dir><cachedir>" << root
      << "/cache/fontconfig</cachedir>"
         "<include ignore_missing=\"yes\" prefix=\"xdg\">fontconfig/conf.d</include>"
         "</fontconfig>\n";
  setenv("HOME", (root + "/home").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
  setenv("XDG_CACHE_HOME", (root + "/cache").c_str(), 1);
  setenv("FONTCONFIG_FILE", (root + "/fonts.conf").c_str(), 1);
  return root;
}

void Empty(const std::string& folder) {
  fs::remove_all(folder);
  fs::create_directories(folder);
}

double AnchorCopyAndCache(const std::string& source, const std::string& target) {
  Empty(target);
  const std::string command = "cp " + source + "/*.ttf " + target + "/ && fc-cache " + target;
  QElapsedTimer clock;
  clock.start();
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "anchor command failed\n");
  return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

struct InstallFigures {
  double ms = 0;
  qint64 longestPauseMs = 0;
  QString message;
};

// 全选 and 安装 pressed, until the run's message; the timer measures the pauses.
InstallFigures InstallAll(const std::string& source, const std::string& fonts) {
  Empty(fonts);
  InstallFigures figures;
  qm::gui::SetMessageHandler(
      [&](const qm::gui::Message& message) { figures.message = message.text; });
  qm::gui::FolderTreeSources sources;
  sources.drives = [] { return std::vector<qm::platform::Drive>{}; };
  sources.desktop = QString::fromStdString(fs::path(source).parent_path().string());
  qm::gui::OpenFolder dialog(fonts, qm::platform::CreateFontResources(), nullptr, sources);
  dialog.show();
  auto* tree = dialog.findChild<qm::gui::UsrDir*>("usrDir1")->Tree();
  const QString key = QString::fromStdString(source);
  for (QTreeWidgetItemIterator it(tree); *it; ++it)
    if ((*it)->data(0, Qt::UserRole).toString() == key) tree->setCurrentItem(*it);
  QEventLoop finished;
  QObject::connect(&dialog, &qm::gui::OpenFolder::InstallFinished, &finished, &QEventLoop::quit);
  QElapsedTimer sinceTick;
  QTimer ticker;
  ticker.setInterval(5);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    figures.longestPauseMs = std::max(figures.longestPauseMs, sinceTick.restart());
  });
  QElapsedTimer clock;
  clock.start();
  dialog.findChild<QPushButton*>("Command1")->click();
  sinceTick.start();
  ticker.start();
  dialog.findChild<QPushButton*>("Command2")->click();
  finished.exec();
  figures.ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  qm::gui::SetMessageHandler(nullptr);
  return figures;
}

// The longest pause of the same timer while the window has nothing to do,
// for as long as an installation took: what the machine itself costs.
qint64 IdlePauseMs(double forMs) {
  qint64 longest = 0;
  QElapsedTimer sinceTick;
  QTimer ticker;
  ticker.setInterval(5);
  QObject::connect(&ticker, &QTimer::timeout,
                   [&] { longest = std::max(longest, sinceTick.restart()); });
  QEventLoop idle;
  QTimer::singleShot(static_cast<int>(forMs), &idle, &QEventLoop::quit);
  sinceTick.start();
  ticker.start();
  idle.exec();
  return longest;
}

double OpenDialogMs() {
  return MedianMs(7, [] {
    qm::gui::OpenFolder dialog("/nonexistent", qm::platform::CreateFontResources());
    dialog.show();
    QApplication::processEvents();
  });
}

double OpenBareDialogMs() {
  return MedianMs(7, [] {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QTreeWidget(&dialog));
    layout->addWidget(new QListWidget(&dialog));
    dialog.show();
    QApplication::processEvents();
  });
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FONT_FOLDER [RUNS]\n", argv[0]);
    return 2;
  }
  const std::string source = fs::absolute(argv[1]).lexically_normal().string();
  const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
  const std::string root = MakeHome();
  const auto platform = qm::platform::CreatePlatform();
  QApplication application(argc, argv);
  qm::gui::ConfigureApplication(application, *platform);

  std::printf(
      "open the dialog, every volume's first level: %.1f ms (anchor, bare dialog: %.1f ms)\n",
      OpenDialogMs(), OpenBareDialogMs());
  std::vector<double> anchor;
  std::vector<double> program;
  qint64 longestPause = 0;
  QString message;
  for (int run = 0; run < runs; ++run) {
    anchor.push_back(AnchorCopyAndCache(source, root + "/anchor"));
    const InstallFigures figures = InstallAll(source, root + "/data/fonts");
    program.push_back(figures.ms);
    longestPause = std::max(longestPause, figures.longestPauseMs);
    message = figures.message;
  }
  const double installMs = Median(program);
  const double anchorMs = Median(anchor);
  std::printf(
      "install %s in copy mode: %.0f ms, median of %d (anchor, cp + fc-cache: %.0f ms; "
      "%.1fx); message %s\n",
      source.c_str(), installMs, runs, anchorMs, installMs / anchorMs,
      message.toStdString().c_str());
  std::printf(
      "longest pause of the window while installing: %lld ms (anchor, idle as long: %lld "
      "ms)\n",
      static_cast<long long>(longestPause), static_cast<long long>(IdlePauseMs(installMs)));
  fs::remove_all(root);
  return 0;
}
