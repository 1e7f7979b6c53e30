// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 宋体, the base face of every box, is not installed on Linux: tests
// install the Song face the configuration gives serif Chinese text.

#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <filesystem>

#include "core/platform/linux/LinuxPlatform.h"
#include "gui/common/FamilyAliases.h"
#include "gui/mainwindow/Application.h"
#include "support/TestEnvironment.h"

namespace qm::test {

// Clears what stands in for 宋体 and SimSun while it lives (start-up gives
// them the interface's face when no Song face is installed).
class ClearedSongSubstitutes {
 public:
  ClearedSongSubstitutes() {
    for (const QString& name : kNames) {
      saved_ << QFont::substitutes(name);
      savedAliases_ << gui::AliasedFamily(name);
      QFont::removeSubstitutions(name);
      gui::RemoveFamilyAlias(name);
    }
  }
  ~ClearedSongSubstitutes() {
    for (qsizetype i = 0; i < kNames.size(); ++i) {
      gui::RemoveFamilyAlias(kNames[i]);
      QFont::removeSubstitutions(kNames[i]);
      QFont::insertSubstitutions(kNames[i], saved_[i]);
      if (!savedAliases_[i].isEmpty()) gui::AddFamilyAlias(savedAliases_[i], kNames[i]);
    }
  }
  ClearedSongSubstitutes(const ClearedSongSubstitutes&) = delete;
  ClearedSongSubstitutes& operator=(const ClearedSongSubstitutes&) = delete;

 private:
  inline static const QStringList kNames = {QStringLiteral("宋体"), QStringLiteral("SimSun")};
  QList<QStringList> saved_;
  QStringList savedAliases_;
};

// Installs the Song face and makes 宋体 and SimSun stand for it while it
// lives, as start-up does where the configuration has a Song face.
class InstalledSongFace {
 public:
  InstalledSongFace() {
    const TestEnvironment& environment = TestEnvironment::Current();
    const std::string folder = environment.FolderForCurrentTest("song");
    const std::string song = folder + "/QmSong.ttf";
    std::filesystem::copy_file(environment.SourceFont("QmSong.ttf"), song);
    {
      ScopedFontsConf conf(folder, kSerifRules);
      platform::LinuxPlatform platform("zh_CN.UTF-8");
      gui::SubstituteSongFaces(platform);
    }
    // The toolkit knows the face as it knows every installed one (which
    // also makes it forget the faces it found for names before).
    added_ = QFontDatabase::addApplicationFont(QString::fromStdString(song));
  }
  ~InstalledSongFace() { QFontDatabase::removeApplicationFont(added_); }
  InstalledSongFace(const InstalledSongFace&) = delete;
  InstalledSongFace& operator=(const InstalledSongFace&) = delete;

 private:
  ClearedSongSubstitutes cleared_;
  int added_ = -1;
};

}  // namespace qm::test
