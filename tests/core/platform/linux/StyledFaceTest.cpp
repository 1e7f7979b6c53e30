// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "core/platform/linux/LinuxPlatform.h"
#include "support/TestEnvironment.h"

namespace qm::platform {
namespace {

using test::TestEnvironment;

std::string UserFont(const std::string& name) {
  return TestEnvironment::Current().UserFontsFolder() + "/" + name;
}

std::string SystemFont(const std::string& name) {
  return TestEnvironment::Current().SystemFontsFolder() + "/" + name;
}

const InstalledFamily* Named(const std::vector<InstalledFamily>& families,
                             const std::string& name) {
  const auto found =
      std::find_if(families.begin(), families.end(),
                   [&](const InstalledFamily& family) { return family.name == name; });
  return found == families.end() ? nullptr : &*found;
}

TEST(StyledFaceTest, EachFamilyNamesTheFaceOfItsFileItDrawsIn) {
  LinuxPlatform platform("en_US.UTF-8");
  const std::vector<InstalledFamily> families = platform.InstalledFamilies();
  for (const auto& [name, index] :
       {std::pair{"Quillmere Pair One", 0}, {"Quillmere Pair Two", 1}}) {
    const InstalledFamily* family = Named(families, name);
    ASSERT_NE(family, nullptr) << name;
    EXPECT_EQ(family->file, SystemFont("QmPair.ttc"));
    EXPECT_EQ(family->faceIndex, index) << name;
  }
  const InstalledFamily* sans = Named(families, "Quillmere Test Sans");
  ASSERT_NE(sans, nullptr);
  EXPECT_EQ(sans->faceIndex, 0);
}

TEST(StyledFaceTest, BoldAndItalicFindTheFamilysOwnFacesOrAreSynthesized) {
  LinuxPlatform platform("en_US.UTF-8");
  struct Case {
    const char* family;
    bool bold, italic;
    std::string file;
    bool synthesizeBold, synthesizeItalic;
  };
  const Case cases[] = {
      {"Quillmere Test Sans", false, false, UserFont("QmTestSans-Regular.ttf"), false, false},
      {"Quillmere Test Sans", true, false, UserFont("QmTestSans-Bold.ttf"), false, false},
      {"QUILLMERE test sans", true, false, UserFont("QmTestSans-Bold.ttf"), false, false},
      // No italic face: the upright one, slanted by the drawing.
      {"Quillmere Test Sans", false, true, UserFont("QmTestSans-Regular.ttf"), false, true},
      {"Quillmere Test Sans", true, true, UserFont("QmTestSans-Bold.ttf"), false, true},
      // Under its own name the light face is alone, and too light for bold.
      {"Quillmere Test Sans Light", true, false, UserFont("QmTestSans-Light.ttf"), true, false},
      {"Quillmere Test Serif", true, true, SystemFont("QmTestSerif.otf"), true, true},
  };
  for (const Case& c : cases) {
    const FaceLocation face = platform.StyledFaceOf(c.family, c.bold, c.italic);
    const std::string asked =
        std::string(c.family) + (c.bold ? " bold" : "") + (c.italic ? " italic" : "");
    EXPECT_EQ(face.file, c.file) << asked;
    EXPECT_EQ(face.index, 0) << asked;
    EXPECT_EQ(face.synthesizeBold, c.synthesizeBold) << asked;
    EXPECT_EQ(face.synthesizeItalic, c.synthesizeItalic) << asked;
  }

  const FaceLocation second = platform.StyledFaceOf("Quillmere Pair Two", true, false);
  EXPECT_EQ(second.file, SystemFont("QmPair.ttc"));
  EXPECT_EQ(second.index, 1);
  EXPECT_TRUE(second.synthesizeBold);

  const FaceLocation nobody = platform.StyledFaceOf("Nobody's Font", true, true);
  EXPECT_EQ(nobody.file, "");
  EXPECT_FALSE(nobody.synthesizeBold || nobody.synthesizeItalic);
}

}  // namespace
}  // namespace qm::platform
