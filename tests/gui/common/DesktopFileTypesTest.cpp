// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/fileinfo/FileInfo.h"
#include "gui/common/DesktopFileTypes.h"
#include "support/TestEnvironment.h"

namespace qm::gui {
namespace {

namespace fs = std::filesystem;
using test::TestEnvironment;

class DesktopFileTypesTest : public testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& content) {
    const std::string path = TestEnvironment::Current().Root() + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  std::string CopyFont(const std::string& font, const std::string& name) {
    const std::string path = TestEnvironment::Current().Root() + "/" + name;
    fs::copy_file(TestEnvironment::Current().SourceFont(font), path,
                  fs::copy_options::overwrite_existing);
    return path;
  }
};

TEST_F(DesktopFileTypesTest, FilesOfOneKindShareOneCachedIcon) {
  DesktopFileTypes types;
  const platform::FileTypeInfo sans =
      types.Describe(CopyFont("QmTestSans-Regular.ttf", "Sans.ttf"));
  const platform::FileTypeInfo hei = types.Describe(CopyFont("QmTestHei.ttf", "Hei.ttf"));
  const platform::FileTypeInfo text = types.Describe(Write("notes.txt", "some words\n"));
  EXPECT_EQ(sans.displayName, "Sans.ttf");
  EXPECT_EQ(sans.typeName, "TrueType 字体");  // in the user's language, zh_CN here
  EXPECT_EQ(text.typeName, "纯文本文档");
  ASSERT_NE(sans.icon, 0u);
  EXPECT_EQ(hei.icon, sans.icon);
  EXPECT_NE(text.icon, sans.icon);
  EXPECT_FALSE(types.IconFor(sans.icon).pixmap(16, 16).isNull());
  EXPECT_TRUE(types.IconFor(0).isNull());
  EXPECT_TRUE(types.IconFor(1000).isNull());
}

TEST_F(DesktopFileTypesTest, FilesWithoutExtensionAreNamedByContentOrAsPlainFiles) {
  DesktopFileTypes types;
  EXPECT_EQ(types.Describe(Write("wordlist", "plain words\n")).typeName, "纯文本文档");

  // A kind the database does not know is left to the caller to name.
  const std::string binary = Write("BLOB", std::string("\x01\x02\x03\xff\x00\x7f", 6));
  fileinfo::CFileInfo info(&types);
  info.SetFullPathName(binary);
  EXPECT_EQ(types.Describe(binary).typeName, "");
  EXPECT_EQ(info.TypeName(), "File");
  EXPECT_EQ(info.DisplayName(), "BLOB");
  EXPECT_FALSE(types.IconFor(info.hIcon()).pixmap(16, 16).isNull());
}

}  // namespace
}  // namespace qm::gui
