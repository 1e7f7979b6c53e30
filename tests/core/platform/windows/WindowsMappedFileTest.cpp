// SPDX-License-Identifier: GPL-3.0-or-later
// Font files mapped copy-on-write on Windows.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/platform/MappedFile.h"
#include "core/platform/windows/WindowsText.h"
#include "support/FolderTest.h"

namespace qm::platform {
namespace {

std::string Text(std::span<const std::byte> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// A file's content, its UTF-8 path opened through the wide calls.
std::string Content(const std::string& path) {
  std::ifstream in(std::filesystem::path(WideFromUtf8(path)), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

using WindowsMappedFileTest = test::FolderTest;

TEST_F(WindowsMappedFileTest, MapsTheFilesBytesAndKeepsWritesToItself) {
  // A name outside the ANSI code page, which only the wide calls open.
  const std::string path = Path("字体 ☃.ttf");
  std::ofstream(std::filesystem::path(WideFromUtf8(path)), std::ios::binary) << "abcdef";
  std::unique_ptr<MappedFile> mapped = MapFilePrivately(path);
  ASSERT_NE(mapped, nullptr);
  ASSERT_EQ(Text(mapped->Bytes()), "abcdef");

  mapped->Bytes()[0] = std::byte{'X'};
  EXPECT_EQ(Text(mapped->Bytes()), "Xbcdef");
  EXPECT_EQ(Content(path), "abcdef");
  EXPECT_EQ(Text(MapFilePrivately(path)->Bytes()), "abcdef");
  mapped.reset();
  EXPECT_EQ(Content(path), "abcdef");
}

TEST_F(WindowsMappedFileTest, GivesNothingForWhatIsNoFileWithBytes) {
  EXPECT_EQ(MapFilePrivately(Path("missing.ttf")), nullptr);
  EXPECT_EQ(MapFilePrivately(Write("empty.ttf", "")), nullptr);
  std::filesystem::create_directories(Path("folder.ttf"));
  EXPECT_EQ(MapFilePrivately(Path("folder.ttf")), nullptr);
}

}  // namespace
}  // namespace qm::platform
