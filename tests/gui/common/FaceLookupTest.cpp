// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QRawFont>
#include <filesystem>

#include "gui/common/FaceClosing.h"
#include "gui/common/FaceLookup.h"
#include "support/MappedFiles.h"
#include "support/TestEnvironment.h"

namespace qm::gui {
namespace {

QFont OwnFaceOnly(const QString& family, const QString& style = {}, int weight = QFont::Normal) {
  QFont font(family);
  font.setStyleName(style);
  font.setWeight(QFont::Weight(weight));
  font.setStyleStrategy(QFont::NoFontMerging);
  return font;
}

QString Describe(const QRawFont& face) {
  return face.familyName() + QLatin1Char('/') + face.styleName();
}

// The face the toolkit opens for font by itself, from a cache with nothing in it.
QString ToolkitsOwnFace(const QFont& font) {
  CloseOpenFaces();
  const QFont fresh = OwnFaceOnly(font.family(), font.styleName(), font.weight());
  return Describe(QRawFont::fromFont(fresh));
}

// Opening by name keeps the face with the font: what drawing it then uses.
QString FaceOpenedByName(const QFont& font) {
  CloseOpenFaces();
  const QRawFont opened = OpenFaceByName(font);
  // Drawing the font later finds the same face.
  EXPECT_EQ(QRawFont::fromFont(font).fontTable("name"), opened.fontTable("name"));
  return Describe(opened);
}

TEST(FaceLookupTest, OpensTheFaceTheToolkitWouldChooseAndLeavesTheFamilyListAsItWas) {
  const QStringList families = QFontDatabase::families();
  const QList<QFont> fonts = {
      OwnFaceOnly(QStringLiteral("Quillmere Test Sans")),
      OwnFaceOnly(QStringLiteral("Quillmere Test Sans"), {}, QFont::Bold),
      OwnFaceOnly(QStringLiteral("quillmere test sans"), QStringLiteral("Light")),
      OwnFaceOnly(QStringLiteral("Quillmere Test Sans Light")),
      OwnFaceOnly(QStringLiteral("Tom's Type")),
      OwnFaceOnly(QStringLiteral("Sun & Moon"), {}, QFont::Bold),  // no bold face
      OwnFaceOnly(QStringLiteral("Quillmere Pair Two")),           // a collection's second
      OwnFaceOnly(QStringLiteral("No Such Family")),
  };
  for (const QFont& font : fonts) {
    const QString expected = ToolkitsOwnFace(font);
    EXPECT_EQ(FaceOpenedByName(font), expected) << font.family().toStdString();
  }
  EXPECT_EQ(QFontDatabase::families(), families);
}

TEST(FaceLookupTest, OpensTheFaceBeforeItIsDrawn) {
  CloseOpenFaces();
  ASSERT_FALSE(test::FileMapped(QStringLiteral("QmTestSans-Bold.ttf")));
  const QFont bold = OwnFaceOnly(QStringLiteral("Quillmere Test Sans"), {}, QFont::Bold);
  OpenFaceByName(bold);
  EXPECT_TRUE(test::FileMapped(QStringLiteral("QmTestSans-Bold.ttf")));
}

// A file cut short after fontconfig listed it: the face cannot be opened,
// and the font falls back to another family as the toolkit would have it.
TEST(FaceLookupTest, AFaceThatCannotBeOpenedFallsBackAsTheToolkitWouldHaveIt) {
  std::filesystem::resize_file(test::TestEnvironment::Current().UserFontsFolder() + "/QmAmp.ttf",
                               64);
  const QFont font = OwnFaceOnly(QStringLiteral("Sun & Moon"));
  const QString expected = ToolkitsOwnFace(font);
  ASSERT_FALSE(expected.startsWith(QStringLiteral("Sun & Moon")));
  EXPECT_EQ(FaceOpenedByName(font), expected);
}

}  // namespace
}  // namespace qm::gui
