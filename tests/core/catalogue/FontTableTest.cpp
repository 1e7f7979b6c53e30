// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/catalogue/FontTable.h"
#include "support/FakeRegistry.h"

namespace qm::catalogue {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

class FontTableTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* key : {kFontsNtKey, kFonts9xKey, kFontSubstitutesKey})
      registry.CreateKey(kHkeyLocalMachine, key);
  }
  void Put(const char* key, const std::string& name, const std::string& text) {
    registry.PutText(kHkeyLocalMachine, key, name, text);
  }
  test::FakeRegistry registry;
};

TEST_F(FontTableTest, FontsFolderComesFromShellFoldersOrIsEmpty) {
  EXPECT_EQ(GetFontsFolder(registry), "");
  registry.PutText(kHkeyCurrentUser, kShellFoldersKey, "Fonts", "C:\\WINDOWS\\Fonts");
  EXPECT_EQ(GetFontsFolder(registry), "C:\\WINDOWS\\Fonts");
}

TEST_F(FontTableTest, NtFamilyPrefersTrueTypeThenSubstituteThenPlainName) {
  Put(kFontsNtKey, "Arial (TrueType)", "arial.ttf");
  Put(kFontsNtKey, "Arial", "arial-plain.fon");
  Put(kFontSubstitutesKey, "Helv", "MS Sans Serif");
  Put(kFontsNtKey, "Helv", "helv.fon");
  Put(kFontsNtKey, "Modern", "modern.fon");
  Put(kFonts9xKey, "Only9x (TrueType)", "only9x.ttf");
  for (const std::string os : {"Win NT", "Win 2000", "Win XP", "Win 2003"}) {
    EXPECT_EQ(GetFontFileName(registry, os, "Arial"), "arial.ttf") << os;
    EXPECT_EQ(GetFontFileName(registry, os, "Helv"), "MS Sans Serif") << os;
    EXPECT_EQ(GetFontFileName(registry, os, "Modern"), "modern.fon") << os;
    EXPECT_EQ(GetFontFileName(registry, os, "Only9x"), "") << os;
  }
}

TEST_F(FontTableTest, NineXFamilyReadsOnlyItsOwnTable) {
  Put(kFonts9xKey, "Arial (TrueType)", "arial.ttf");
  Put(kFonts9xKey, "Modern", "modern.fon");
  Put(kFontsNtKey, "OnlyNt (TrueType)", "nt.ttf");
  Put(kFontSubstitutesKey, "Helv", "MS Sans Serif");
  for (const std::string os : {"Win 95", "Win 98", "Win Me"}) {
    EXPECT_EQ(GetFontFileName(registry, os, "arial"), "arial.ttf") << os;
    EXPECT_EQ(GetFontFileName(registry, os, "Modern"), "modern.fon") << os;
    EXPECT_EQ(GetFontFileName(registry, os, "OnlyNt"), "") << os;
    EXPECT_EQ(GetFontFileName(registry, os, "Helv"), "") << os;
  }
}

TEST_F(FontTableTest, AnyOtherSystemAsksEveryTableIn9xThenNtOrder) {
  Put(kFonts9xKey, "Both", "from9x.fon");
  Put(kFontsNtKey, "Both (TrueType)", "fromnt.ttf");
  Put(kFontsNtKey, "Nt (TrueType)", "nt.ttf");
  Put(kFontSubstitutesKey, "Helv", "MS Sans Serif");
  Put(kFontsNtKey, "Helv", "helv.fon");
  Put(kFontsNtKey, "Plain", "plain.fon");
  for (const std::string os : {"Win32", ""}) {
    EXPECT_EQ(GetFontFileName(registry, os, "Both"), "from9x.fon") << os;
    EXPECT_EQ(GetFontFileName(registry, os, "Nt"), "nt.ttf") << os;
    EXPECT_EQ(GetFontFileName(registry, os, "Helv"), "MS Sans Serif") << os;
    EXPECT_EQ(GetFontFileName(registry, os, "Plain"), "plain.fon") << os;
  }
}

TEST_F(FontTableTest, ResultIsTrimmedAndIntegersBecomeDecimalText) {
  Put(kFontsNtKey, "Spaced (TrueType)", "  spaced.ttf  ");
  registry.PutDword(kHkeyLocalMachine, kFontsNtKey, "Counted (TrueType)", 1234);
  EXPECT_EQ(GetFontFileName(registry, "Win XP", "Spaced"), "spaced.ttf");
  EXPECT_EQ(GetFontFileName(registry, "Win XP", "Counted"), "1234");
  EXPECT_EQ(GetFontFileName(registry, "Win XP", "Unknown"), "");
}

TEST_F(FontTableTest, EmptyTablesGiveNothing) {
  test::FakeRegistry empty;
  EXPECT_EQ(GetFontFileName(empty, "Win XP", "Arial"), "");
  EXPECT_EQ(GetFontFileName(empty, "", "Arial"), "");
}

}  // namespace
}  // namespace qm::catalogue
