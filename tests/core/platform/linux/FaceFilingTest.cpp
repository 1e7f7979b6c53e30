// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <ostream>

#include "core/platform/linux/FaceFiling.h"

namespace qm::platform {

void PrintTo(const FaceSelection& selection, std::ostream* out) {
  *out << "{\"" << selection.family << "\", \"" << selection.style << "\"}";
}

namespace {

// A face as fontconfig lists it: its family names with their languages and
// the style names at the same places.
FontFace Face(std::vector<FamilyName> families, int weight = 80, int width = 100, int slant = 0,
              std::string file = "f.ttf") {
  FontFace face;
  face.families = std::move(families);
  face.file = std::move(file);
  face.weight = weight;
  face.width = width;
  face.slant = slant;
  return face;
}

const FaceSelection kNameAlone{};

TEST(FaceFilingTest, AWeightsOwnNameWithTheFamilysStyleIsAskedForWithTheStyle) {
  // As DejaVu Sans is installed: the light face's second name has no style
  // of its own, the condensed face's has one.
  const std::vector<FontFace> faces = {
      Face({{"DejaVu Sans", "en", "Book"}}),
      Face({{"DejaVu Sans", "en", "Bold"}}, 200),
      Face({{"DejaVu Sans", "en", "Oblique"}}, 80, 100, 110),
      Face({{"DejaVu Sans", "en", "ExtraLight"}, {"DejaVu Sans Light", "en", ""}}, 40),
      Face({{"DejaVu Sans", "en", "Condensed"}, {"DejaVu Sans Condensed", "en", "Book"}}, 80, 87),
      Face({{"DejaVu Sans", "en", "Condensed Bold"}, {"DejaVu Sans Condensed", "en", "Bold"}}, 200,
           87)};
  const FaceFiling filing(faces);
  EXPECT_EQ(filing.SelectionOf("DejaVu Sans", faces[0]), kNameAlone);
  EXPECT_EQ(filing.SelectionOf("DejaVu Sans Light", faces[3]),
            (FaceSelection{"DejaVu Sans Light", "ExtraLight"}));
  // A family of its own whose regular face the name gives anyway.
  EXPECT_EQ(filing.SelectionOf("DejaVu Sans Condensed", faces[4]), kNameAlone);
}

TEST(FaceFilingTest, AFamilyOfItsOwnIsAskedForByNameOrStyleAsItsFacesRequire) {
  // As Noto Looped Lao is installed, one family name per weight.
  const std::vector<FontFace> faces = {
      Face({{"Noto Looped Lao", "en", "Regular"}, {"Noto Looped Lao Regular", "en", ""}}),
      Face({{"Noto Looped Lao", "en", "Bold"}, {"Noto Looped Lao Bold", "en", ""}}, 200),
      Face({{"Noto Looped Lao", "en", "Light"}, {"Noto Looped Lao Light", "en", "Regular"}}, 50)};
  const FaceFiling filing(faces);
  EXPECT_EQ(filing.SelectionOf("Noto Looped Lao", faces[0]), kNameAlone);
  EXPECT_EQ(filing.SelectionOf("Noto Looped Lao Bold", faces[1]),
            (FaceSelection{"Noto Looped Lao Bold", "Bold"}));
  EXPECT_EQ(filing.SelectionOf("Noto Looped Lao Light", faces[2]), kNameAlone);
  // Another name of the regular face gives the family's regular face.
  EXPECT_EQ(filing.SelectionOf("Noto Looped Lao Regular", faces[0]), kNameAlone);
}

TEST(FaceFilingTest, FacesTheNameCannotTellApartAreAskedForByStyleOrFirstFamily) {
  // Two designs under one weight family name with the same style there, and
  // a bold face whose weight says regular.
  const std::vector<FontFace> faces = {
      Face({{"Noto Rashi Hebrew", "en", "ExtraBold"}, {"Noto Serif Hebrew ExtBd", "en", "Regular"}},
           205),
      Face({{"Noto Serif Hebrew", "en", "ExtraBold"}, {"Noto Serif Hebrew ExtBd", "en", "Regular"}},
           205),
      Face({{"Noto Serif Myanmar", "en", "Regular"}}),
      Face({{"Noto Serif Myanmar", "en", "Bold"}})};
  const FaceFiling filing(faces);
  EXPECT_EQ(filing.SelectionOf("Noto Serif Hebrew ExtBd", faces[1]),
            (FaceSelection{"Noto Serif Hebrew", "ExtraBold"}));
  EXPECT_EQ(filing.SelectionOf("Noto Serif Myanmar", faces[3]),
            (FaceSelection{"Noto Serif Myanmar", "Bold"}));
}

TEST(FaceFilingTest, CopiesOfOneFaceAndNamesInOtherLanguagesNeedNothingMore) {
  const std::vector<FontFace> faces = {
      Face({{"Nimbus Sans", "en", "Regular"}}, 80, 100, 0, "NimbusSans-Regular.otf"),
      Face({{"Nimbus Sans", "en", "Regular"}}, 80, 100, 0, "NimbusSans-Regular.t1"),
      Face({{"Nimbus Sans", "en", "Bold"}}, 200),
      Face({{"WenQuanYi Micro Hei", "en", "Regular"}, {"文泉驿微米黑", "zh-cn", "Regular"}})};
  const FaceFiling filing(faces);
  EXPECT_EQ(filing.SelectionOf("Nimbus Sans", faces[0]), kNameAlone);
  EXPECT_EQ(filing.SelectionOf("文泉驿微米黑", faces[3]), kNameAlone);
}

TEST(FaceFilingTest, ANameOfOneFaceThatIsAnothersFamilyNamesTheFirstFamily) {
  const std::vector<FontFace> faces = {Face({{"Foo Light", "en", "Regular"}}, 50),
                                       Face({{"Foo", "en", "Light"}, {"Foo Light", "en", ""}}, 50),
                                       Face({{"Foo", "en", "Regular"}})};
  const FaceFiling filing(faces);
  EXPECT_EQ(filing.SelectionOf("Foo Light", faces[1]), (FaceSelection{"Foo", "Light"}));
}

}  // namespace
}  // namespace qm::platform
