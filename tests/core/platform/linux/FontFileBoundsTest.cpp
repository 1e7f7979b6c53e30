// SPDX-License-Identifier: GPL-3.0-or-later
// What one font file may cost: a face's names and a collection's faces are listed up to a bound.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/platform/linux/FontconfigFaces.h"
#include "support/TestEnvironment.h"

namespace qm::platform {
namespace {

namespace fs = std::filesystem;
using test::TestEnvironment;

TEST(FontFileBoundsTest, AFaceListsItsFirstNamesAndACollectionItsFirstFaces) {
  const std::string folder = TestEnvironment::Current().FolderForCurrentTest("bounds");
  for (const char* file : {"name-2000.ttf", "collection-20000.ttc"})
    fs::copy_file(std::string(QM_TEST_FONTS_DIR "/hostile/") + file, folder + "/" + file);
  test::ScopedFontsConf conf(folder, "");
  FontconfigFaces fontconfig;
  const std::vector<FontFace> faces = fontconfig.Reload();

  const auto fromFile = [&](const std::string& name) {
    return std::count_if(faces.begin(), faces.end(),
                         [&](const FontFace& face) { return face.file == folder + "/" + name; });
  };
  EXPECT_EQ(fromFile("collection-20000.ttc"), kMaxFacesPerFile);
  EXPECT_EQ(fontconfig.FacesLeftOut().at(folder + "/collection-20000.ttc"),
            20000 - kMaxFacesPerFile);

  const auto manyNames = std::find_if(faces.begin(), faces.end(), [&](const FontFace& face) {
    return face.file == folder + "/name-2000.ttf";
  });
  ASSERT_NE(manyNames, faces.end());
  EXPECT_EQ(manyNames->families.size(), static_cast<std::size_t>(kMaxNamesPerFace));
}

}  // namespace
}  // namespace qm::platform
