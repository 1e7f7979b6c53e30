// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/catalogue/FontTable.h"
#include "core/platform/linux/LinuxPlatform.h"
#include "core/registry/RegistryProcedures.h"
#include "support/TestEnvironment.h"

namespace qm::platform {
namespace {

namespace fs = std::filesystem;
using test::TestEnvironment;

std::vector<std::string> Names(const std::vector<InstalledFamily>& families) {
  std::vector<std::string> names;
  for (const InstalledFamily& family : families) names.push_back(family.name);
  std::sort(names.begin(), names.end());
  return names;
}

std::string FileOf(const std::vector<InstalledFamily>& families, const std::string& name) {
  for (const InstalledFamily& family : families)
    if (family.name == name) return family.file;
  return "<absent>";
}

TEST(LinuxPlatformTest, ListsEachInstalledFamilyOnceInTheUsersLanguage) {
  LinuxPlatform chinese("zh_CN.UTF-8");
  const auto families = chinese.InstalledFamilies();
  EXPECT_EQ(Names(families), (std::vector<std::string>{
                                 "@Quillmere Vertical", "Quillmere Pair One", "Quillmere Pair Two",
                                 "Quillmere Test Sans", "Quillmere Test Sans Light",
                                 "Quillmere Test Serif", "Sun & Moon", "Tom's Type", "测试黑体"}));
  const std::string user = TestEnvironment::Current().UserFontsFolder();
  EXPECT_EQ(FileOf(families, "Quillmere Test Sans"), user + "/QmTestSans-Regular.ttf");
  EXPECT_EQ(FileOf(families, "Quillmere Test Sans Light"), user + "/QmTestSans-Light.ttf");
  EXPECT_EQ(FileOf(families, "测试黑体"), user + "/QmTestHei.ttf");
  // The light face's own name is only another name of its family's first
  // name, so it needs its style to select it.
  const auto light = std::find_if(families.begin(), families.end(), [](const auto& family) {
    return family.name == "Quillmere Test Sans Light";
  });
  EXPECT_EQ(light->faceFamily, "Quillmere Test Sans Light");
  EXPECT_EQ(light->faceStyle, "Light");

  LinuxPlatform english("en_US.UTF-8");
  const auto englishNames = Names(english.InstalledFamilies());
  EXPECT_NE(std::find(englishNames.begin(), englishNames.end(), "Quillmere Hei"),
            englishNames.end());
  EXPECT_EQ(std::find(englishNames.begin(), englishNames.end(), "测试黑体"), englishNames.end());
}

TEST(LinuxPlatformTest, FontTablesNameTheRegularFaceFile) {
  LinuxPlatform platform("zh_CN.UTF-8");
  RegistryApi& registry = platform.Registry();
  const std::string system = TestEnvironment::Current().SystemFontsFolder();
  const auto file = [&](const std::string& family) {
    return catalogue::GetFontFileName(registry, "", family);
  };
  // Files in the fonts folder by bare name, others by full path.
  EXPECT_EQ(file("Quillmere Test Sans"), "QmTestSans-Regular.ttf");
  EXPECT_EQ(file("QUILLMERE test sans"), "QmTestSans-Regular.ttf");
  EXPECT_EQ(file("测试黑体"), "QmTestHei.ttf");
  EXPECT_EQ(file("Quillmere Hei"), "QmTestHei.ttf");
  EXPECT_EQ(file("Tom's Type"), "QmQuote.ttf");
  EXPECT_EQ(file("Sun & Moon"), "QmAmp.ttf");
  EXPECT_EQ(file("Quillmere Test Serif"), system + "/QmTestSerif.otf");
  EXPECT_EQ(file("Quillmere Pair One"), system + "/QmPair.ttc");
  EXPECT_EQ(file("Quillmere Pair Two"), system + "/QmPair.ttc");
  EXPECT_EQ(file("Nobody's Font"), "");
  // Outline fonts are registered under the " (TrueType)" form only.
  EXPECT_EQ(registry::ReadRegistryString(registry, kHkeyLocalMachine, catalogue::kFontsNtKey,
                                         "Quillmere Test Sans"),
            "");
  EXPECT_EQ(registry::ReadRegistryString(registry, kHkeyLocalMachine, catalogue::kFonts9xKey,
                                         "Quillmere Test Sans (TrueType)"),
            "QmTestSans-Regular.ttf");
}

TEST(LinuxPlatformTest, SubstitutesFollowTheConfiguredRules) {
  LinuxPlatform platform("zh_CN.UTF-8");
  RegistryApi& registry = platform.Registry();
  const auto substitute = [&](const std::string& family) {
    return registry::ReadRegistryString(registry, kHkeyLocalMachine, catalogue::kFontSubstitutesKey,
                                        family);
  };
  EXPECT_EQ(substitute("Quillmere Alias"), "Quillmere Test Serif");
  EXPECT_EQ(substitute("No Rule For This"), "");
  // An installed family is not substituted.
  EXPECT_EQ(substitute("Quillmere Test Sans"), "");
  EXPECT_EQ(catalogue::GetFontFileName(registry, "", "Quillmere Alias"), "Quillmere Test Serif");
}

TEST(LinuxPlatformTest, OnlyAliasesThatNameAFamilyGiveItASubstitute) {
  // As on a desktop system, every name falls back to a generic family,
  // which gives it a face without naming it.
  test::ScopedFontsConf conf(
      "",
      "<match target=\"pattern\"><test qual=\"all\" name=\"family\" compare=\"not_eq\">"
      "<string>sans-serif</string></test><edit name=\"family\" mode=\"append_last\">"
      "<string>sans-serif</string></edit></match>"
      "<alias><family>sans-serif</family><prefer><family>Quillmere Test Sans</family></prefer>"
      "</alias>"
      "<alias><family>Quillmere Chain</family><default><family>serif</family></default></alias>"
      "<alias><family>serif</family><prefer><family>Quillmere Test Serif</family></prefer>"
      "</alias>");
  LinuxPlatform platform("zh_CN.UTF-8");
  RegistryApi& registry = platform.Registry();
  const auto substitute = [&](const std::string& family) {
    return registry::ReadRegistryString(registry, kHkeyLocalMachine, catalogue::kFontSubstitutesKey,
                                        family);
  };
  EXPECT_EQ(substitute("Nonexistent Family"), "");
  EXPECT_EQ(substitute("Quillmere Alias"), "Quillmere Test Serif");
  // Through the generic family the alias names.
  EXPECT_EQ(substitute("Quillmere Chain"), "Quillmere Test Serif");
}

TEST(LinuxPlatformTest, GenericFamiliesAreTheOnesTheRulesGiveForTheLanguage) {
  const std::string song = TestEnvironment::Current().FolderForCurrentTest("song");
  fs::copy_file(TestEnvironment::Current().SourceFont("QmSong.ttf"), song + "/QmSong.ttf");
  test::ScopedFontsConf conf(song, test::kSerifRules);
  LinuxPlatform platform("zh_CN.UTF-8");
  EXPECT_EQ(platform.GenericFamily("serif", "zh-cn"), "Quillmere Song");
  // No rule names a monospace face: the fallback face does not count.
  EXPECT_EQ(platform.GenericFamily("monospace", "zh-cn"), "");
}

TEST(LinuxPlatformTest, FontsFolderIsTheUsersAndTablesRefuseWrites) {
  LinuxPlatform platform("zh_CN.UTF-8");
  RegistryApi& registry = platform.Registry();
  EXPECT_EQ(catalogue::GetFontsFolder(registry), TestEnvironment::Current().UserFontsFolder());
  RegKey key = 0;
  ASSERT_EQ(registry.OpenKey(kHkeyLocalMachine, catalogue::kFontsNtKey, kKeyFullAccess, &key),
            kErrorSuccess);
  EXPECT_EQ(
      registry::SetValueOnKey(registry, key, "New (TrueType)", kRegSz, std::string("new.ttf")),
      kErrorAccessDenied);
  EXPECT_EQ(registry.DeleteValue(key, "Quillmere Test Sans (TrueType)"), kErrorAccessDenied);
  EXPECT_EQ(registry.CloseKey(key), kErrorSuccess);
  EXPECT_EQ(registry.OpenKey(kHkeyLocalMachine, "Software\\Elsewhere", 0, &key),
            kErrorFileNotFound);
}

TEST(LinuxPlatformTest, FontsInstalledSinceTheLastReadAreSeen) {
  LinuxPlatform platform("zh_CN.UTF-8");
  const std::size_t before = platform.InstalledFamilies().size();
  const fs::path extra = TestEnvironment::Current().UserFontsFolder() + "/extra";
  fs::create_directories(extra);
  fs::copy_file(TestEnvironment::Current().SourceFont("QmTestSerif.otf"), extra / "Serif2.otf");
  fs::copy_file(TestEnvironment::Current().SourceFont("QmPair.ttc"), extra / "Pair2.ttc");
  // Further files of families already installed add no second entry.
  EXPECT_EQ(platform.InstalledFamilies().size(), before);
  fs::remove_all(extra);
  fs::remove(TestEnvironment::Current().UserFontsFolder() + "/QmAmp.ttf");
  const auto after = Names(platform.InstalledFamilies());
  EXPECT_EQ(after.size(), before - 1);
  EXPECT_EQ(std::find(after.begin(), after.end(), "Sun & Moon"), after.end());
  fs::copy_file(TestEnvironment::Current().SourceFont("QmAmp.ttf"),
                TestEnvironment::Current().UserFontsFolder() + "/QmAmp.ttf");
  EXPECT_EQ(platform.InstalledFamilies().size(), before);
}

// Start-up asks for generic families just before it lists the fonts; the
// listing reuses that configuration only while nothing it read has changed.
TEST(LinuxPlatformTest, FontsInstalledAfterAQuestionAreListed) {
  LinuxPlatform platform("zh_CN.UTF-8");
  const std::size_t before = LinuxPlatform("zh_CN.UTF-8").InstalledFamilies().size();
  platform.GenericFamily("serif", "zh-cn");
  const std::string song = TestEnvironment::Current().UserFontsFolder() + "/QmSong.ttf";
  fs::copy_file(TestEnvironment::Current().SourceFont("QmSong.ttf"), song);
  EXPECT_EQ(platform.InstalledFamilies().size(), before + 1);
  fs::remove(song);
}

TEST(LinuxPlatformTest, ListingAfterAQuestionFollowsTheConfigurationNamedSince) {
  const std::string song = TestEnvironment::Current().FolderForCurrentTest("song");
  fs::copy_file(TestEnvironment::Current().SourceFont("QmSong.ttf"), song + "/QmSong.ttf");
  const std::size_t before = LinuxPlatform("zh_CN.UTF-8").InstalledFamilies().size();
  LinuxPlatform platform("zh_CN.UTF-8");
  {
    test::ScopedFontsConf conf(song, test::kSerifRules);
    EXPECT_EQ(platform.GenericFamily("serif", "zh-cn"), "Quillmere Song");
  }
  EXPECT_EQ(platform.InstalledFamilies().size(), before);
  // Unchanged, the configuration of the question lists what a fresh one would.
  LinuxPlatform unchanged("zh_CN.UTF-8");
  unchanged.GenericFamily("serif", "zh-cn");
  EXPECT_EQ(Names(unchanged.InstalledFamilies()), Names(platform.InstalledFamilies()));
}

const InstalledFontFile* FileNamed(const std::vector<InstalledFontFile>& files,
                                   const std::string& name) {
  const auto found = std::find_if(files.begin(), files.end(), [&](const InstalledFontFile& file) {
    return fs::path(file.path).filename() == name;
  });
  return found == files.end() ? nullptr : &*found;
}

TEST(LinuxPlatformTest, FontFilesAreListedOnceWithTheirFolderAndEveryFaceNamed) {
  const TestEnvironment& environment = TestEnvironment::Current();
  const std::string extra = environment.FolderForCurrentTest("files");
  for (const char* font :
       {"QmTestSerif-Italic.otf", "QmTypeOne-Italic.pfb", "QmTypeOne-Regular.pfa"})
    fs::copy_file(environment.SourceFont(font), extra + "/" + font);
  const std::string link = environment.FolderForCurrentTest("links") + "/system";
  fs::create_directory_symlink(environment.SystemFontsFolder(), link);
  test::ScopedFontsConf conf(extra, "<dir>" + link + "</dir>");
  const std::vector<InstalledFontFile> files = LinuxPlatform("zh_CN.UTF-8").InstalledFontFiles();

  std::vector<std::string> paths;
  for (const InstalledFontFile& file : files) paths.push_back(file.path);
  std::sort(paths.begin(), paths.end());
  EXPECT_EQ(std::adjacent_find(paths.begin(), paths.end()), paths.end());
  EXPECT_EQ(files.size(), 12u);  // 7 of the user's, 2 of the system's, 3 added; none broken
  EXPECT_EQ(FileNamed(files, "Broken-NotAFont.ttf"), nullptr);

  const InstalledFontFile* pair = FileNamed(files, "QmPair.ttc");
  ASSERT_NE(pair, nullptr);
  EXPECT_EQ(pair->folder, environment.SystemFontsFolder());
  EXPECT_EQ(pair->faces,
            (std::vector<std::string>{"Quillmere Pair One Regular", "Quillmere Pair Two Regular"}));
  const auto facesOf = [&](const std::string& name) {
    const InstalledFontFile* file = FileNamed(files, name);
    return file ? file->faces : std::vector<std::string>{"<absent>"};
  };
  EXPECT_EQ(facesOf("QmTestSerif-Italic.otf"),
            std::vector<std::string>{"Quillmere Test Serif Italic"});
  EXPECT_EQ(facesOf("QmTypeOne-Italic.pfb"), std::vector<std::string>{"Quillmere Type One Italic"});
  EXPECT_EQ(facesOf("QmTypeOne-Regular.pfa"),
            std::vector<std::string>{"Quillmere Type One Regular"});
  EXPECT_EQ(facesOf("QmTestSans-Bold.ttf"), std::vector<std::string>{"Quillmere Test Sans Bold"});
  EXPECT_EQ(facesOf("QmTestHei.ttf"), std::vector<std::string>{"测试黑体 Regular"});
  EXPECT_EQ(FileNamed(files, "QmTypeOne-Italic.pfb")->folder, extra);
}

TEST(LinuxPlatformTest, DescribesTheSystemWithoutAWindowsName) {
  LinuxPlatform platform("zh_CN.UTF-8");
  const OsDescription os = platform.DescribeOs();
  EXPECT_EQ(os.name, "");
  EXPECT_EQ(os.caption.rfind("操作系统：", 0), 0u);
  EXPECT_NE(os.caption.find(" V"), std::string::npos);
  EXPECT_EQ(PrettyNameFromOsRelease("NAME=\"Debian\"\nPRETTY_NAME=\"Debian GNU/Linux 12 "
                                    "(bookworm)\"\nID=debian\n"),
            "Debian GNU/Linux 12 (bookworm)");
  EXPECT_EQ(PrettyNameFromOsRelease("PRETTY_NAME=Plain\n"), "Plain");
  EXPECT_EQ(PrettyNameFromOsRelease("NAME=x\n"), "");
}

}  // namespace
}  // namespace qm::platform
