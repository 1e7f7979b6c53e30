// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 宋体, the base face of every box, is not installed on Linux: tests
// install the Song face the configuration gives serif Chinese text.

#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <filesystem>

#include "core/platform/linux/LinuxPlatform.h"
#include "gui/common/BaseFormat.h"
#include "gui/mainwindow/Application.h"
#include "support/TestEnvironment.h"

namespace qm::test {

// Gives back, when it ends, the base face's family and what stands in for
// 宋体 and SimSun (start-up gives them the interface's face when no Song
// face is installed).
class SavedBaseFace {
 public:
  SavedBaseFace() : family_(gui::BaseFaceFamily()) {
    for (const QString& name : kNames) saved_ << QFont::substitutes(name);
  }
  ~SavedBaseFace() {
    gui::SetBaseFaceFamily(family_);
    for (qsizetype i = 0; i < kNames.size(); ++i) {
      QFont::removeSubstitutions(kNames[i]);
      QFont::insertSubstitutions(kNames[i], saved_[i]);
    }
  }
  SavedBaseFace(const SavedBaseFace&) = delete;
  SavedBaseFace& operator=(const SavedBaseFace&) = delete;

 private:
  inline static const QStringList kNames = {QStringLiteral("宋体"), QStringLiteral("SimSun")};
  QString family_;
  QList<QStringList> saved_;
};

// Installs the Song face and makes it the base face's family while it
// lives, as start-up does where the configuration has a Song face.
class InstalledSongFace {
 public:
  InstalledSongFace() {
    const TestEnvironment& environment = TestEnvironment::Current();
    const std::string folder = environment.FolderForCurrentTest("song");
    const std::string song = folder + "/QmSong.ttf";
    std::filesystem::copy_file(environment.SourceFont("QmSong.ttf"), song);
    // The toolkit knows the face as it knows every installed one (which
    // also makes it forget the faces it found for names before).
    added_ = QFontDatabase::addApplicationFont(QString::fromStdString(song));
    QFontDatabase::families();  // read anew outside the configuration below
    ScopedFontsConf conf(folder, kSerifRules);
    platform::LinuxPlatform platform("zh_CN.UTF-8");
    gui::ChooseBaseFace(platform);
  }
  ~InstalledSongFace() { QFontDatabase::removeApplicationFont(added_); }
  InstalledSongFace(const InstalledSongFace&) = delete;
  InstalledSongFace& operator=(const InstalledSongFace&) = delete;

 private:
  SavedBaseFace saved_;
  int added_ = -1;
};

}  // namespace qm::test
