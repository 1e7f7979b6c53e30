// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/system/OsNaming.h"
#include "core/system/SampleFontSize.h"

namespace qm::system {
namespace {

struct NamingCase {
  WindowsVersion version;
  const char* name;
  const char* caption;
};

TEST(OsNamingTest, NamesAndCaptionsOfKnownVersions) {
  const NamingCase cases[] = {
      {{1, 4, 0, 950}, "Win 95", "操作系统：Win 95 V4.950"},
      {{1, 4, 10, 2222}, "Win 98", "操作系统：Win 98 V4.1.2222"},
      {{1, 4, 90, 3000}, "Win Me", "操作系统：Win Me V4.9.3000"},
      {{1, 5, 0, 1}, "", "操作系统： V5.1"},
      {{2, 4, 0, 1381}, "Win NT", "操作系统：Win NT V4.1381"},
      {{2, 5, 0, 2195}, "Win 2000", "操作系统：Win 2000 V5.2195"},
      {{2, 5, 1, 2600}, "Win XP", "操作系统：Win XP V5.01.2600"},
      {{2, 5, 2, 3790}, "Win 2003", "操作系统：Win 2003 V5.02.3790"},
      {{2, 6, 0, 6000}, "Win XP", "操作系统：Win XP V6.6000"},
      {{2, 6, 1, 7600}, "", "操作系统： V6.01.7600"},
      {{0, 3, 10, 0}, "Win32", "操作系统：Win32 V3.1.0"},
      {{3, 5, 0, 1}, "", "操作系统： V5.1"},
  };
  for (const NamingCase& c : cases) {
    EXPECT_EQ(OsNameFor(c.version), c.name) << c.caption;
    EXPECT_EQ(OsCaptionFor(c.version), c.caption);
  }
}

TEST(OsNamingTest, BuildNumberIsReadAsSixteenBits) {
  EXPECT_EQ(OsCaptionFor(WindowsVersion{2, 10, 0, 0x10000 + 19045}), "操作系统： V10.19045");
  EXPECT_EQ(OsCaptionFor(WindowsVersion{2, 10, 0, 40000}), "操作系统： V10.-25536");
}

TEST(OsNamingTest, CaptionOfAnotherSystem) {
  EXPECT_EQ(OsCaptionFor("Debian GNU/Linux 12 (bookworm)", "6.1.0-18-amd64"),
            "操作系统：Debian GNU/Linux 12 (bookworm) V6.1.0-18-amd64");
}

TEST(SampleFontSizeTest, DecimalTextBecomesSixteenBitSize) {
  EXPECT_EQ(ParseSampleFontSize("30").value, 30);
  EXPECT_EQ(ParseSampleFontSize(" 24 ").value, 24);
  EXPECT_EQ(ParseSampleFontSize("12.5").value, 12);  // halves round to even
  EXPECT_EQ(ParseSampleFontSize("13.5").value, 14);
  EXPECT_EQ(ParseSampleFontSize("-3").value, -3);
  EXPECT_TRUE(ParseSampleFontSize("32767").ok);
}

TEST(SampleFontSizeTest, TextThatIsNoSizeIsAnError) {
  for (const char* text : {"", "abc", "12pt", "1 2"}) {
    const FontSizeReading reading = ParseSampleFontSize(text);
    EXPECT_FALSE(reading.ok) << text;
    EXPECT_EQ(reading.error, "类型不匹配") << text;
  }
  EXPECT_EQ(ParseSampleFontSize("32768").error, "溢出");
  EXPECT_EQ(ParseSampleFontSize("-40000").error, "溢出");
}

}  // namespace
}  // namespace qm::system
