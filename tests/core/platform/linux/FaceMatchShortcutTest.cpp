// SPDX-License-Identifier: GPL-3.0-or-later
// The program's FcFontMatch gives what fontconfig's own gives: for a
// pattern naming a face as the toolkit asks when it opens one, for a
// pattern naming only a family, and for a file that is no installed font;
// also after the installed fonts change.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/platform/linux/FaceMatchShortcut.h"
#include "support/TestEnvironment.h"

namespace qm::platform {
namespace {

struct ConfigRelease {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternRelease {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Config = std::unique_ptr<FcConfig, ConfigRelease>;
using Pattern = std::unique_ptr<FcPattern, PatternRelease>;

// The configuration FONTCONFIG_FILE names, with its fonts.
Config LoadConfig() { return Config(FcInitLoadConfigAndFonts()); }

// A request as the toolkit makes it for a face it opens: its family, file,
// index and pixel size, completed by the configuration.
Pattern FaceRequest(FcConfig* config, FcPattern* font) {
  Pattern request(FcPatternCreate());
  FcChar8* family = nullptr;
  FcChar8* file = nullptr;
  int index = 0;
  if (FcPatternGetString(font, FC_FAMILY, 0, &family) == FcResultMatch)
    FcPatternAddString(request.get(), FC_FAMILY, family);
  FcPatternGetString(font, FC_FILE, 0, &file);
  FcPatternGetInteger(font, FC_INDEX, 0, &index);
  FcPatternAddString(request.get(), FC_FILE, file);
  FcPatternAddInteger(request.get(), FC_INDEX, index);
  FcPatternAddDouble(request.get(), FC_PIXEL_SIZE, 21.0);
  FcConfigSubstitute(config, request.get(), FcMatchPattern);
  FcDefaultSubstitute(request.get());
  return request;
}

// Both matches of request, expected equal and found.
void ExpectSameMatch(FcConfig* config, FcPattern* request) {
  FcResult shortcutResult = FcResultNoMatch;
  FcResult ownResult = FcResultNoMatch;
  const Pattern shortcut(FcFontMatch(config, request, &shortcutResult));
  const Pattern own(FontconfigOwnMatch(config, request, &ownResult));
  ASSERT_NE(own, nullptr);
  ASSERT_NE(shortcut, nullptr);
  EXPECT_EQ(shortcutResult, ownResult);
  EXPECT_TRUE(FcPatternEqual(shortcut.get(), own.get()));
}

void ExpectEveryFaceMatchedAsFontconfigDoes(FcConfig* config) {
  FcFontSet* fonts = FcConfigGetFonts(config, FcSetSystem);
  ASSERT_NE(fonts, nullptr);
  ASSERT_GE(fonts->nfont, 3);
  for (int position = 0; position < fonts->nfont; ++position) {
    const Pattern request = FaceRequest(config, fonts->fonts[position]);
    SCOPED_TRACE(reinterpret_cast<const char*>(FcNameUnparse(request.get())));
    ExpectSameMatch(config, request.get());
  }
}

class FaceMatchShortcutTest : public testing::Test {
 protected:
  FaceMatchShortcutTest() { EnableFaceMatchShortcut(); }
};

TEST_F(FaceMatchShortcutTest, EveryInstalledFaceGetsWhatFontconfigsOwnMatchGives) {
  const Config config = LoadConfig();
  ExpectEveryFaceMatchedAsFontconfigDoes(config.get());
}

TEST_F(FaceMatchShortcutTest, AFontSetChangedSinceTheLastMatchIsIndexedAnew) {
  const Config before = LoadConfig();
  ExpectEveryFaceMatchedAsFontconfigDoes(before.get());
  const test::ScopedFontsConf withKai(test::TestEnvironment::Current().SourceFont("coverage"), "");
  const Config after = LoadConfig();
  ExpectEveryFaceMatchedAsFontconfigDoes(after.get());
  ExpectEveryFaceMatchedAsFontconfigDoes(before.get());
}

TEST_F(FaceMatchShortcutTest, PatternsNamingNoInstalledFaceGoToFontconfigsOwnMatch) {
  const Config config = LoadConfig();
  for (const std::string& file : {std::string("/nonexistent/face.ttf"), std::string()}) {
    Pattern request(FcPatternCreate());
    FcPatternAddString(request.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8*>("Quillmere Test Serif"));
    if (!file.empty()) {
      FcPatternAddString(request.get(), FC_FILE, reinterpret_cast<const FcChar8*>(file.c_str()));
      FcPatternAddInteger(request.get(), FC_INDEX, 0);
    }
    FcConfigSubstitute(config.get(), request.get(), FcMatchPattern);
    FcDefaultSubstitute(request.get());
    ExpectSameMatch(config.get(), request.get());
  }
}

}  // namespace
}  // namespace qm::platform
