// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every test process runs in a home of its own: temporary HOME and XDG
// folders, and a fontconfig configuration that sees only the project's own
// test fonts. Set up before anything reads the environment.

#include <string>

namespace qm::test {

class TestEnvironment {
 public:
  // Creates the folders, copies the test fonts and points the environment
  // at them. fontsSource is the folder the font generator wrote.
  explicit TestEnvironment(const std::string& fontsSource);
  ~TestEnvironment();

  static const TestEnvironment& Current();

  const std::string& Root() const { return root_; }
  // The user's fonts folder ($XDG_DATA_HOME/fonts).
  std::string UserFontsFolder() const { return root_ + "/data/fonts"; }
  // A folder fontconfig scans that is not the user's, like a system folder.
  std::string SystemFontsFolder() const { return root_ + "/system-fonts"; }
  std::string SourceFont(const std::string& fileName) const { return source_ + "/" + fileName; }
  // Where CUPS_SERVER points: no print system answers there unless a test starts one.
  std::string PrintSystemSocket() const { return root_ + "/print-system.sock"; }
  // A new folder for the running test, named after it, under the root.
  std::string FolderForCurrentTest(const std::string& group) const;

 private:
  std::string root_;
  std::string source_;
};

// Rules that make fontconfig read the user's own folder of rules, as a
// desktop's configuration has it.
inline constexpr char kUserFontconfigRules[] =
    "<include ignore_missing=\"yes\" prefix=\"xdg\">fontconfig/conf.d</include>";

// While it lives, the fontconfig configurations loaded afresh (the
// platform's, not the one the toolkit read at start) are one of the test's
// own: the test fonts' folders, extraFolder (unless empty) and extra rules.
class ScopedFontsConf {
 public:
  ScopedFontsConf(const std::string& extraFolder, const std::string& rules);
  ~ScopedFontsConf();
  ScopedFontsConf(const ScopedFontsConf&) = delete;
  ScopedFontsConf& operator=(const ScopedFontsConf&) = delete;

 private:
  std::string previous_;
};

// Rules as a desktop system has them: serif text in the test serif face,
// and serif Chinese text in the Song face of QmSong.ttf, when installed.
inline constexpr char kSerifRules[] =
    "<match target=\"pattern\"><test name=\"lang\" compare=\"contains\"><string>zh-cn</string>"
    "</test><test name=\"family\"><string>serif</string></test>"
    "<edit name=\"family\" mode=\"prepend_first\"><string>Quillmere Song</string></edit></match>"
    "<alias><family>serif</family><prefer><family>Quillmere Test Serif</family></prefer></alias>";

}  // namespace qm::test
