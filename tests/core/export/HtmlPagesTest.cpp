// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/export/HtmlPages.h"
#include "support/FolderTest.h"

namespace qm::pages {
namespace {

// UTF-8 as code page 936 in one piece, straight through the system's
// converter: what the page's fixed text must become.
#ifdef _WIN32
std::string Gbk(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                          static_cast<int>(wide.size()))));
  std::string out(utf8.size() * 2, '\0');
  out.resize(static_cast<std::size_t>(
      WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), out.data(),
                          static_cast<int>(out.size()), nullptr, nullptr)));
  return out;
}
#else
std::string Gbk(const std::string& utf8) {
  iconv_t converter = iconv_open("CP936", "UTF-8");
  std::string out(utf8.size() * 2, '\0');
  char* in = const_cast<char*>(utf8.data());
  char* written = out.data();
  std::size_t inLeft = utf8.size();
  std::size_t outLeft = out.size();
  EXPECT_NE(iconv(converter, &in, &inLeft, &written, &outLeft), static_cast<std::size_t>(-1));
  iconv_close(converter);
  out.resize(out.size() - outLeft);
  return out;
}
#endif

PageFamily Named(const std::u16string& name) { return {name, name}; }

const std::string kAllFontsHead =
    "<head><META http-equiv=Content-Type content=\"text/html; charset=gb2312\"><title>"
    "Quillmere输出电脑全部字体预览网页</title></head>"
    "<p><font face=宋体 color=#FF6600 size=12>Quillmere 保存所有字体：</font></p>\r\n";
const std::string kComparisonHead =
    "<head><META http-equiv=Content-Type content=\"text/html; charset=gb2312\"><title>"
    "Quillmere输出自定义字体预览网页</title></head>"
    "<p><font face=宋体 color=#FF6600 size=12>Quillmere 保存字体对比：</font></p>\r\n";

TEST(HtmlPagesTest, AllFontsPageHasTheFixedShapesInCodePage936) {
  EXPECT_EQ(AllFontsPage({}, 30), Gbk(kAllFontsHead));
  EXPECT_EQ(AllFontsPage({Named(u"宋体"), Named(u"Quillmere Test Sans")}, 12),
            Gbk(kAllFontsHead + "<p><font face='宋体' size=12>宋体</font></p>\r\n" +
                "<p><font face='Quillmere Test Sans' size=12>Quillmere Test Sans</font></p>\r\n"));
}

TEST(HtmlPagesTest, AnUnusableSampleSizeBecomesTheDefault) {
  for (const int size : {0, -5, 32767}) {
    EXPECT_EQ(AllFontsPage({Named(u"A")}, size),
              Gbk(kAllFontsHead + "<p><font face='A' size=30>A</font></p>\r\n"))
        << size;
  }
}

TEST(HtmlPagesTest, ComparisonPageIsAtSize40WithTheNameInBracketsAndCrLfParagraphs) {
  EXPECT_EQ(ComparisonPage({}, u"text"), Gbk(kComparisonHead));
  EXPECT_EQ(ComparisonPage({{u"Face One", u"One"}, Named(u"黑体")}, u"第一段\n第二段\r第三"),
            Gbk(kComparisonHead +
                "<p><font face='Face One' size=40>第一段\r\n第二段\r\n第三</font>"
                "<font face=宋体 size=4>[One]</font></p>\r\n" +
                "<p><font face='黑体' size=40>第一段\r\n第二段\r\n第三</font>"
                "<font face=宋体 size=4>[黑体]</font></p>\r\n"));
}

TEST(HtmlPagesTest, MarkupCharactersBecomeReferencesAndParagraphBreaksCrLf) {
  EXPECT_EQ(EscapeForPage(u"a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e&#39;f");
  EXPECT_EQ(EscapeForPage(u"1\r\n2\n3\r4\u20295"), "1\r\n2\r\n3\r\n4\r\n5");
}

TEST(HtmlPagesTest, CharactersTheCodePageLacksBecomeNumericReferences) {
  // An Extension B character, an emoji, a tag character (which iconv would
  // drop without a word), Thai, a lone surrogate of each kind.
  const std::u16string text = u"中\U00020BB7😀\U000E0041\u0E01";
  EXPECT_EQ(EncodeForPage(EscapeForPage(text)), Gbk("中") + "&#x20BB7;&#x1F600;&#xE0041;&#xE01;");
  const std::u16string lone = {u'a', char16_t(0xD83D), u'b', char16_t(0xDE00)};
  EXPECT_EQ(EncodeForPage(EscapeForPage(lone)), "a&#xFFFD;b&#xFFFD;");
  EXPECT_EQ(EncodeForPage("€"), "\x80");
}

#ifndef _WIN32
// The parser is the build machine's Python, which a test under Wine cannot start.

// What html.parser finds in a page, one event a line (see parse_page.py).
std::vector<std::string> ParsedEvents(const std::string& folder, const std::string& page) {
  const std::string file = folder + "/page.htm";
  std::ofstream(file, std::ios::binary) << page;
  const std::string command =
      "/usr/bin/python3 " QM_TEST_SOURCE_DIR "/core/export/parse_page.py '" + file + "'";
  std::vector<std::string> events;
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0) << "the parser failed";
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) events.push_back(line);
  return events;
}

std::string Hex(const std::u16string& text) {
  std::string utf8;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDBFF)
      code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
    if (code < 0x80) {
      utf8 += static_cast<char>(code);
    } else if (code < 0x800) {
      utf8 += static_cast<char>(0xC0 | (code >> 6));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      utf8 += static_cast<char>(0xE0 | (code >> 12));
      utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | (code >> 18));
      utf8 += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
}

std::vector<std::string> HeadEvents(const std::u16string& title, const std::u16string& heading) {
  return {"start head",
          "start meta http-equiv=" + Hex(u"Content-Type") +
              " content=" + Hex(u"text/html; charset=gb2312"),
          "start title",
          "data " + Hex(title),
          "end title",
          "end head",
          "start p",
          "start font face=" + Hex(u"宋体") + " color=" + Hex(u"#FF6600") + " size=" + Hex(u"12"),
          "data " + Hex(heading),
          "end font",
          "end p",
          "data " + Hex(u"\r\n")};
}

std::vector<std::u16string> HostileNames() {
  return {u"x'><script>alert(1)</script>", u"Say \"cheese\"", u"Tom & Jerry &amp;", u"<b>bold</b>",
          u"\u202Eevil\u200F name\u200E",  u"Smile 😀 face",   u"𠮷野家 \U0002A6D6", u"&#x41; &lt;",
          std::u16string(10000, u'字')};
}

using HtmlPagesParsedTest = test::FolderTest;

TEST_F(HtmlPagesParsedTest, AllFontsPageGivesAParserExactlyEachHostileName) {
  std::vector<PageFamily> families;
  std::vector<std::string> expected =
      HeadEvents(u"Quillmere输出电脑全部字体预览网页", u"Quillmere 保存所有字体：");
  for (const std::u16string& name : HostileNames()) {
    families.push_back(Named(name));
    const std::vector<std::string> line = {"start p",
                                           "start font face=" + Hex(name) + " size=" + Hex(u"30"),
                                           "data " + Hex(name),
                                           "end font",
                                           "end p",
                                           "data " + Hex(u"\r\n")};
    expected.insert(expected.end(), line.begin(), line.end());
  }
  EXPECT_EQ(ParsedEvents(folder_, AllFontsPage(families, 30)), expected);
}

TEST_F(HtmlPagesParsedTest, ComparisonPageGivesAParserExactlyEachNameAndTheText) {
  const std::u16string text = u"</font><script>x='1'</script>\r\n第二段 😀 & \U00020BB7";
  std::vector<PageFamily> families;
  std::vector<std::string> expected =
      HeadEvents(u"Quillmere输出自定义字体预览网页", u"Quillmere 保存字体对比：");
  for (const std::u16string& name : HostileNames()) {
    families.push_back(Named(name));
    const std::vector<std::string> line = {"start p",
                                           "start font face=" + Hex(name) + " size=" + Hex(u"40"),
                                           "data " + Hex(text),
                                           "end font",
                                           "start font face=" + Hex(u"宋体") + " size=" + Hex(u"4"),
                                           "data " + Hex(u"[" + name + u"]"),
                                           "end font",
                                           "end p",
                                           "data " + Hex(u"\r\n")};
    expected.insert(expected.end(), line.begin(), line.end());
  }
  EXPECT_EQ(ParsedEvents(folder_, ComparisonPage(families, text)), expected);
}

#endif

}  // namespace
}  // namespace qm::pages
