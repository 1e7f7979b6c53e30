// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

#include "gui/common/FamilyAliases.h"
#include "gui/sheet/DrawnFace.h"
#include "support/TestEnvironment.h"

namespace qm::gui {
namespace {

const QString kAlias = QStringLiteral("测试别名");
const QString kFamily = QStringLiteral("Tom's Type");

class FamilyAliasesTest : public testing::Test {
 protected:
  ~FamilyAliasesTest() override { RemoveFamilyAlias(kAlias); }
};

TEST_F(FamilyAliasesTest, AnAliasIsDrawnInItsFamilysFaceAlsoAfterTheFontsAreReadAgain) {
  ASSERT_TRUE(AddFamilyAlias(kFamily, kAlias));
  EXPECT_EQ(AliasedFamily(kAlias), kFamily);
  EXPECT_EQ(QFontInfo(QFont(kAlias)).family(), kFamily);
  EXPECT_EQ(test::DrawnFace(QFont(kAlias)), "TomsType-Regular");
  // Adding a font file makes the toolkit read its fonts anew.
  const int added = QFontDatabase::addApplicationFont(
      QString::fromStdString(test::TestEnvironment::Current().SourceFont("QmLooped-Regular.ttf")));
  ASSERT_GE(added, 0);
  EXPECT_EQ(QFontInfo(QFont(kAlias, 17)).family(), kFamily);  // a substitute meanwhile
  QFontDatabase::removeApplicationFont(added);
  EXPECT_EQ(QFontInfo(QFont(kAlias, 19)).family(), kFamily);
  // Once the events run, the alias is the family's other name again.
  QCoreApplication::processEvents();
  EXPECT_TRUE(QFont::substitutes(kAlias).isEmpty());
  EXPECT_EQ(QFontInfo(QFont(kAlias, 21)).family(), kFamily);
}

TEST_F(FamilyAliasesTest, ARemovedAliasNamesNoFamily) {
  ASSERT_TRUE(AddFamilyAlias(kFamily, kAlias));
  RemoveFamilyAlias(kAlias);
  EXPECT_TRUE(AliasedFamily(kAlias).isEmpty());
  EXPECT_NE(QFontInfo(QFont(kAlias)).family(), kFamily);
}

TEST_F(FamilyAliasesTest, AnAliasMovedToAnotherFamilyLeavesTheFirst) {
  ASSERT_TRUE(AddFamilyAlias(kFamily, kAlias));
  ASSERT_TRUE(AddFamilyAlias(QStringLiteral("Sun & Moon"), kAlias));
  EXPECT_EQ(QFontInfo(QFont(kAlias)).family(), "Sun & Moon");
}

TEST_F(FamilyAliasesTest, NoAliasForAFamilyNotInstalled) {
  EXPECT_FALSE(AddFamilyAlias(QStringLiteral("Quillmere Not Installed"), kAlias));
  EXPECT_TRUE(AliasedFamily(kAlias).isEmpty());
}

// Start-up (ConfigureApplication in the tests' main) gives 宋体 and SimSun the
// interface's face; the test fonts have no Song face for serif Chinese text.
TEST(SongNamesTest, AreOtherNamesOfTheInterfacesFaceNotItsSubstitutes) {
  QCoreApplication::processEvents();  // fonts added by earlier tests are read anew
  const QString interfaceFace = QApplication::font().family();
  ASSERT_TRUE(QFontDatabase::families().contains(interfaceFace));
  for (const QString& name : {QStringLiteral("宋体"), QStringLiteral("SimSun")}) {
    EXPECT_TRUE(QFont::substitutes(name).isEmpty()) << name.toStdString();
    EXPECT_EQ(AliasedFamily(name), interfaceFace) << name.toStdString();
    EXPECT_EQ(test::DrawnFace(QFont(name, 9)), test::DrawnFace(QApplication::font()))
        << name.toStdString();
  }
}

}  // namespace
}  // namespace qm::gui
