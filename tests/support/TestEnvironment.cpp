// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace qm::test {
namespace {

const TestEnvironment* current = nullptr;

const char* const kUserFonts[] = {
    "QmTestSans-Regular.ttf", "QmTestSans-Bold.ttf", "QmTestSans-Light.ttf",
    "QmTestHei.ttf",          "QmQuote.ttf",         "QmAmp.ttf",
    "QmVertical.ttf",         "Broken-Empty.ttf",    "Broken-Truncated.ttf",
    "Broken-NotAFont.ttf"};
const char* const kSystemFonts[] = {"QmTestSerif.otf", "QmPair.ttc"};

void WriteFontsConf(const std::string& path, const std::string& root,
                    const std::string& extraFolder = {}, const std::string& extraRules = {}) {
  std::ofstream conf(path);
  conf << "<?xml version=\"1.0\"?>\n"
          "<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
          "<fontconfig>\n"
       << "  <dir>" << root << "/data/fonts</dir>\n"
       << "  <dir>" << root << "/system-fonts</dir>\n";
  if (!extraFolder.empty()) conf << "  <dir>" << extraFolder << "</dir>\n";
  conf << "  <cachedir>" << root << "/cache/fontconfig</cachedir>\n"
       << "  <alias binding=\"same\"><family>Quillmere Alias</family>"
          "<accept><family>Quillmere Test Serif</family></accept></alias>\n"
       << extraRules << "\n</fontconfig>\n";
}

}  // namespace

TestEnvironment::TestEnvironment(const std::string& fontsSource) : source_(fontsSource) {
  std::string pattern = (fs::temp_directory_path() / "quillmere-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  root_ = pattern;
  for (const char* folder : {"home", "config", "data/fonts", "cache/fontconfig", "runtime",
                             "system-fonts", "fontconfig"})
    fs::create_directories(root_ + "/" + folder);
  fs::permissions(root_ + "/runtime", fs::perms::owner_all, fs::perm_options::replace);
  for (const char* font : kUserFonts)
    fs::copy_file(SourceFont(font), UserFontsFolder() + "/" + font);
  for (const char* font : kSystemFonts)
    fs::copy_file(SourceFont(font), SystemFontsFolder() + "/" + font);
  WriteFontsConf(root_ + "/fontconfig/fonts.conf", root_);

  setenv("HOME", (root_ + "/home").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (root_ + "/data").c_str(), 1);
  setenv("XDG_CACHE_HOME", (root_ + "/cache").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (root_ + "/runtime").c_str(), 1);
  // The system's shared data stays readable (the MIME database); fonts come
  // only from the configuration below.
  setenv("XDG_DATA_DIRS", (root_ + "/data:/usr/share").c_str(), 1);
  setenv("XDG_CONFIG_DIRS", (root_ + "/config").c_str(), 1);
  setenv("FONTCONFIG_FILE", (root_ + "/fontconfig/fonts.conf").c_str(), 1);
  unsetenv("FONTCONFIG_PATH");
  setenv("LANG", "zh_CN.UTF-8", 1);
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Printing never reaches the machine's own print system.
  setenv("CUPS_SERVER", PrintSystemSocket().c_str(), 1);
  current = this;
}

TestEnvironment::~TestEnvironment() {
  current = nullptr;
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

const TestEnvironment& TestEnvironment::Current() { return *current; }

std::string TestEnvironment::FolderForCurrentTest(const std::string& group) const {
  const std::string folder =
      root_ + "/" + group + "/" + testing::UnitTest::GetInstance()->current_test_info()->name();
  fs::create_directories(folder);
  return folder;
}

ScopedFontsConf::ScopedFontsConf(const std::string& extraFolder, const std::string& rules)
    : previous_(std::getenv("FONTCONFIG_FILE")) {  // the environment always sets it
  const TestEnvironment& environment = TestEnvironment::Current();
  const std::string path = environment.FolderForCurrentTest("fontconfig") + "/fonts.conf";
  WriteFontsConf(path, environment.Root(), extraFolder, rules);
  setenv("FONTCONFIG_FILE", path.c_str(), 1);
}

ScopedFontsConf::~ScopedFontsConf() { setenv("FONTCONFIG_FILE", previous_.c_str(), 1); }

}  // namespace qm::test
