// SPDX-License-Identifier: GPL-3.0-or-later
// Times the font-file list on real folders: loading a folder (icons and
// sizes included) next to a bare readdir and stat of the same folder, and
// filling the family column from the installed families. Prints figures.
//
// usage: quillmere_filelist_bench FOLDER...

#include <dirent.h>
#include <sys/stat.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Timing.h"
#include "core/platform/Platform.h"
#include "gui/fontfiles/FontFileTab.h"
#include "gui/mainwindow/Application.h"
#include "gui/mainwindow/MainWindow.h"

namespace {

// The least any listing of the folder must do.
int ReaddirAndStat(const std::string& folder) {
  int files = 0;
  DIR* listing = opendir(folder.c_str());
  if (!listing) return 0;
  while (dirent* entry = readdir(listing)) {
    struct stat status {};
    const std::string path = folder + "/" + entry->d_name;
    if (stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode)) ++files;
  }
  closedir(listing);
  return files;
}

}  // namespace

int main(int argc, char* argv[]) {
  // In the program's own order: the platform first (see src/main.cpp).
  const auto platform = qm::platform::CreatePlatform();
  QApplication application(argc, argv);
  qm::gui::ConfigureApplication(application, *platform);
  qm::gui::FaceEngine windowFaces;
  qm::gui::MainWindow window(*platform, windowFaces);
  auto* fileTab = window.findChild<qm::gui::FontFileTab*>();
  auto* count = window.findChild<QLabel*>("Label6");
  const int runs = 7;
  for (int i = 1; i < argc; ++i) {
    const std::string folder = argv[i];
    int files = 0;
    const double bare = MedianMs(runs, [&] { files = ReaddirAndStat(folder); });
    // With the font-name list still empty the load does only the listing.
    const double load =
        MedianMs(runs, [&] { fileTab->LoadFontFileList(QString::fromStdString(folder)); });
    std::printf("%s: %d files; readdir+stat %.1f ms; list loaded %.1f ms (%.1fx); Label6 %s\n",
                folder.c_str(), files, bare, load, load / bare,
                count->text().toStdString().c_str());
  }
  window.ScanInstalledFonts();
  if (argc > 1) {
    fileTab->LoadFontFileList(QString::fromUtf8(argv[1]));
    const double fill = MedianMs(runs, [&] { fileTab->FillFontNameColumn(); });
    std::printf("family column of %s from the installed families: %.1f ms\n", argv[1], fill);
  }
  return 0;
}
