// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows calls behind the installer, the web pages and the coverage
// counts: font files checked through GDI, hidden copies that take their
// names, whole-file replacement, and code page 936.

#include <gtest/gtest.h>
#include <windows.h>
#undef ReplaceFile  // windows.h's macro would rename the program's function

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/coverage/ChineseCoverage.h"
#include "core/platform/CodePage936.h"
#include "core/platform/FileReplacing.h"
#include "core/platform/FontFileCheck.h"
#include "core/platform/windows/WindowsCodePages.h"
#include "core/platform/windows/WindowsPlatform.h"
#include "core/platform/windows/WindowsText.h"
#include "support/FolderTest.h"

namespace qm::platform {
namespace {

namespace fs = std::filesystem;

using test::NamesIn;
using test::Read;

DWORD AttributesOf(const std::string& path) {
  return GetFileAttributesW(WideFromUtf8(path).c_str());
}

std::string TestFont(const std::string& name) {
  return test::TestEnvironment::Current().SourceFont(name);
}

TEST(WindowsFontFileCheckTest, CountsFacesAndNamesFamiliesOfASingleFaceAndACollection) {
  const FontFileCheck single = CheckFontFile(TestFont("QmLooped-Regular.ttf"));
  EXPECT_EQ(single.faces, 1);
  EXPECT_EQ(single.families, std::vector<std::string>{"Quillmere Looped"});
  const FontFileCheck pair = CheckFontFile(TestFont("QmPair.ttc"));
  EXPECT_EQ(pair.faces, 2);
  EXPECT_EQ(pair.families, (std::vector<std::string>{"Quillmere Pair One", "Quillmere Pair Two"}));
  // The check loads nothing for others: the family is gone again afterwards.
  EXPECT_EQ(CheckFontFile(TestFont("QmLooped-Regular.ttf")).families, single.families);
}

TEST(WindowsFontFileCheckTest, BrokenAndMissingFilesSayWhy) {
  for (const char* broken : {"Broken-Empty.ttf", "Broken-Truncated.ttf", "Broken-NotAFont.ttf"}) {
    const FontFileCheck check = CheckFontFile(TestFont(broken));
    EXPECT_EQ(check.faces, 0) << broken;
    EXPECT_EQ(check.problem, "不是可用的字体文件") << broken;
  }
  EXPECT_EQ(CheckFontFile(TestFont("no-such-file.ttf")).problem, "无法读取文件");
}

using WindowsCopiesTest = test::FolderTest;

TEST_F(WindowsCopiesTest, AHiddenCopyTakesItsNameAndShowsUnlessTheNameIsTaken) {
  const std::string source = Write("source/Font.ttf", "font bytes");
  SetFileAttributesW(WideFromUtf8(source).c_str(), FILE_ATTRIBUTE_READONLY);
  const std::string fonts = Path("fonts");
  fs::create_directories(fonts);
  const std::string first = CopyToHiddenFile(source, fonts + "\\New.ttf");
  const std::string second = CopyToHiddenFile(source, fonts + "\\Taken.ttf");
  ASSERT_FALSE(first.empty());
  ASSERT_FALSE(second.empty());
  EXPECT_EQ(AttributesOf(first) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
  Write("fonts/Taken.ttf", "appeared meanwhile");
  EXPECT_EQ(CommitCopies({{first, fonts + "\\New.ttf"}, {second, fonts + "\\Taken.ttf"}}),
            (std::vector<bool>{true, false}));
  EXPECT_EQ(NamesIn(fonts), (std::vector<std::string>{"New.ttf", "Taken.ttf"}));
  EXPECT_EQ(Read(fonts + "\\New.ttf"), "font bytes");
  EXPECT_EQ(AttributesOf(fonts + "\\New.ttf") & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(Read(fonts + "\\Taken.ttf"), "appeared meanwhile");
}

TEST_F(WindowsCopiesTest, ACopyIntoAMissingFolderLeavesNothing) {
  const std::string source = Write("Font.ttf");
  EXPECT_EQ(CopyToHiddenFile(source, Path("missing\\Font.ttf")), "");
  EXPECT_EQ(CopyToHiddenFile(Path("no-source.ttf"), Path("Copy.ttf")), "");
  EXPECT_EQ(NamesIn(folder_), std::vector<std::string>{"Font.ttf"});
}

using WindowsFileReplacingTest = test::FolderTest;

TEST_F(WindowsFileReplacingTest, WritesANewFileAndReplacesAnOldOneKeepingItsAttributes) {
  const std::string path = Path("page.htm");
  EXPECT_EQ(ReplaceFile(path, std::string("a\0b\r\n", 5)), "");
  EXPECT_EQ(Read(path), std::string("a\0b\r\n", 5));
  SetFileAttributesW(WideFromUtf8(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(ReplaceFile(path, "second"), "");
  EXPECT_EQ(Read(path), "second");
  EXPECT_NE(AttributesOf(path) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(NamesIn(folder_), std::vector<std::string>{"page.htm"}) << "a temporary file is left";
}

TEST_F(WindowsFileReplacingTest, AMissingFolderOrAFolderOfTheNameIsToldWhy) {
  EXPECT_EQ(ReplaceFile(Path("missing\\page.htm"), "x"), "文件夹不存在");
  fs::create_directories(Path("page.htm"));
  EXPECT_EQ(ReplaceFile(Path("page.htm"), "x"), "这个名字已是一个文件夹");
  EXPECT_EQ(NamesIn(folder_), std::vector<std::string>{"page.htm"}) << "a temporary file is left";
}

TEST(WindowsCodePagesTest, ListsTheCharactersOfTheChineseCodePages) {
  const std::vector<char32_t> gb2312 = CodePageCharacters("GB2312");
  const std::vector<char32_t> gbk = CodePageCharacters("GBK");
  EXPECT_EQ(coverage::HanOfCodePage("GB2312", gb2312).Size(), 6763u);
  EXPECT_TRUE(std::binary_search(gbk.begin(), gbk.end(), U'丂'));
  EXPECT_FALSE(std::binary_search(gb2312.begin(), gb2312.end(), U'丂'));
  EXPECT_TRUE(std::binary_search(gb2312.begin(), gb2312.end(), U'A'));
  EXPECT_FALSE(std::binary_search(gb2312.begin(), gb2312.end(), U'€'));
  EXPECT_GT(coverage::HanOfCodePage("GBK", gbk).Size(), 20000u);
  EXPECT_TRUE(CodePageCharacters("NO-SUCH-CODE-PAGE").empty());
}

// Quillmere Kai (测试楷体) has 94 GB2312 characters, 丂 of GBK, two of
// extension A and one of extension B, which GDI's ranges cannot show.
TEST(WindowsCharactersTest, AFamilyHasTheCharactersItsFontDeclaresUnderEachOfItsNames) {
  const std::wstring kai = WideFromUtf8(TestFont("coverage/QmKai.ttf"));
  ASSERT_GT(AddFontResourceExW(kai.c_str(), FR_PRIVATE, nullptr), 0);
  WindowsPlatform platform;
  const CodePointSet& characters = platform.CharactersOf("Quillmere Kai");
  EXPECT_TRUE(characters.Has(U'啊'));
  EXPECT_TRUE(characters.Has(U'A'));
  EXPECT_FALSE(characters.Has(U'宋'));
  EXPECT_EQ(characters.CountInRange(0x4E00, 0x9FFF), 95u);
  EXPECT_EQ(platform.CharactersOf("测试楷体").CountInRange(0x3400, 0x4DBF), 2u);
  EXPECT_TRUE(platform.CharactersOf("No Such Family").IsEmpty());
  RemoveFontResourceExW(kai.c_str(), FR_PRIVATE, nullptr);
}

TEST(WindowsCodePage936Test, StopsAtTheFirstCharacterTheCodePageLacks) {
  std::string out = "x";
  const std::string text = "中a€ก文";
  EXPECT_EQ(AppendCodePage936(text, out), std::string("中a€").size());
  EXPECT_EQ(out,
            "x\xD6\xD0"
            "a\x80");
  out.clear();
  EXPECT_EQ(AppendCodePage936("文字", out), std::string("文字").size());
  EXPECT_EQ(out, "\xCE\xC4\xD7\xD6");
}

}  // namespace
}  // namespace qm::platform
