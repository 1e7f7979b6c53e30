// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "core/platform/MappedFile.h"
#include "support/FolderTest.h"

namespace qm::platform {
namespace {

std::string Text(std::span<const std::byte> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

class MappedFileTest : public test::FolderTest {};

TEST_F(MappedFileTest, MapsTheFilesBytesAndKeepsWritesToItself) {
  const std::string path = Write("face.ttf", "abcdef");
  std::unique_ptr<MappedFile> mapped = MapFilePrivately(path);
  ASSERT_NE(mapped, nullptr);
  ASSERT_EQ(Text(mapped->Bytes()), "abcdef");

  mapped->Bytes()[0] = std::byte{'X'};
  EXPECT_EQ(Text(mapped->Bytes()), "Xbcdef");
  EXPECT_EQ(test::Read(path), "abcdef");
  // A second mapping sees the file, not the first one's copy.
  EXPECT_EQ(Text(MapFilePrivately(path)->Bytes()), "abcdef");
  mapped.reset();
  EXPECT_EQ(test::Read(path), "abcdef");
}

TEST_F(MappedFileTest, GivesNothingForWhatIsNoFileWithBytes) {
  EXPECT_EQ(MapFilePrivately(Path("missing.ttf")), nullptr);
  EXPECT_EQ(MapFilePrivately(Write("empty.ttf", "")), nullptr);
  std::filesystem::create_directories(Path("folder.ttf"));
  EXPECT_EQ(MapFilePrivately(Path("folder.ttf")), nullptr);
  // Without a writer, a blocking open of a FIFO would never return.
  ASSERT_EQ(mkfifo(Path("fifo.ttf").c_str(), 0600), 0);
  EXPECT_EQ(MapFilePrivately(Path("fifo.ttf")), nullptr);
}

}  // namespace
}  // namespace qm::platform
