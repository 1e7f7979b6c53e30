// SPDX-License-Identifier: GPL-3.0-or-later
#include <ft2build.h>
#include <gtest/gtest.h>

#include "core/faces/SingleFace.h"
#include FT_FREETYPE_H

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/platform/MappedFile.h"
#include "support/FolderTest.h"

namespace qm::faces {
namespace {

using Bytes = std::vector<std::byte>;

Bytes FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  const auto* first = reinterpret_cast<const std::byte*>(text.data());
  return {first, first + text.size()};
}

Bytes TestFont(const std::string& name) { return FileBytes(QM_TEST_FONTS_DIR "/" + name); }

// The family a font loader reads from bytes, as the one font they hold;
// a marker when it reads none or finds a collection.
std::string FamilyOf(std::span<const std::byte> font) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return "<no loader>";
  FT_Face face = nullptr;
  std::string family = "<no font>";
  if (FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte*>(font.data()),
                         static_cast<FT_Long>(font.size()), 0, &face) == 0) {
    family = face->num_faces != 1 ? "<collection>" : face->family_name ? face->family_name : "";
    FT_Done_Face(face);
  }
  FT_Done_FreeType(library);
  return family;
}

std::uint32_t U32At(const Bytes& bytes, std::size_t at) {
  return std::to_integer<std::uint32_t>(bytes[at]) << 24 |
         std::to_integer<std::uint32_t>(bytes[at + 1]) << 16 |
         std::to_integer<std::uint32_t>(bytes[at + 2]) << 8 |
         std::to_integer<std::uint32_t>(bytes[at + 3]);
}

std::uint16_t U16At(const Bytes& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes[at]) << 8 |
                                    std::to_integer<unsigned>(bytes[at + 1]));
}

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<std::byte>(value >> (24 - 8 * i) & 0xFF);
}

void PutU16(Bytes& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<std::byte>(value >> 8);
  bytes[at + 1] = static_cast<std::byte>(value & 0xFF);
}

std::size_t DirectorySize(const Bytes& font, std::size_t at = 0) {
  return 12 + 16 * std::size_t{U16At(font, at + 4)};
}

// Where a collection made of standalone fonts keeps the faces' directories.
enum class Directories {
  kFirst,          // after the header, in face order, as font tools write them
  kFirstReversed,  // after the header, the last face's first
  // After all tables, with each face's smallest table at the front: no
  // directory fits before its own face's first table.
  kLast,
};

// Table records are found at 12 + 16 * i in a directory.
std::vector<std::size_t> RecordsInPlacingOrder(const Bytes& font, Directories where) {
  std::vector<std::size_t> records;
  for (std::size_t record = 12; record < DirectorySize(font); record += 16)
    records.push_back(record);
  if (where == Directories::kLast)
    std::rotate(records.begin(),
                std::min_element(records.begin(), records.end(),
                                 [&](std::size_t a, std::size_t b) {
                                   return U32At(font, a + 12) < U32At(font, b + 12);
                                 }),
                records.end());
  return records;
}

// A collection of the fonts' tables.
Bytes Collection(const std::vector<Bytes>& fonts, Directories where) {
  const std::size_t header = 12 + 4 * fonts.size();
  std::size_t directories = 0;
  for (const Bytes& font : fonts) directories += DirectorySize(font);
  Bytes collection(where == Directories::kLast ? header : header + directories);
  PutU32(collection, 0, 0x74746366);  // 'ttcf'
  PutU32(collection, 4, 0x00010000);
  PutU32(collection, 8, static_cast<std::uint32_t>(fonts.size()));
  // Each font's directory with offsets in the collection; the first table
  // of every font before the others in the kLast layout.
  std::vector<Bytes> rewritten;
  std::vector<std::vector<std::size_t>> order;
  for (const Bytes& font : fonts) {
    rewritten.emplace_back(font.begin(),
                           font.begin() + static_cast<std::ptrdiff_t>(DirectorySize(font)));
    order.push_back(RecordsInPlacingOrder(font, where));
  }
  const auto place = [&](std::size_t i, std::size_t from, std::size_t to) {
    for (std::size_t k = from; k < to; ++k) {
      const std::size_t record = order[i][k];
      const std::size_t offset = U32At(fonts[i], record + 8);
      const std::size_t length = U32At(fonts[i], record + 12);
      PutU32(rewritten[i], record + 8, static_cast<std::uint32_t>(collection.size()));
      collection.insert(collection.end(), fonts[i].begin() + static_cast<std::ptrdiff_t>(offset),
                        fonts[i].begin() + static_cast<std::ptrdiff_t>(offset + length));
      collection.resize((collection.size() + 3) & ~std::size_t{3});
    }
  };
  const std::size_t placedFirst = where == Directories::kLast ? 1 : 0;
  for (std::size_t i = 0; i < fonts.size(); ++i) place(i, 0, placedFirst);
  for (std::size_t i = 0; i < fonts.size(); ++i) place(i, placedFirst, order[i].size());
  std::size_t at = where == Directories::kLast ? collection.size() : header;
  collection.resize(std::max(collection.size(), at + directories));
  for (std::size_t i = 0; i < fonts.size(); ++i) {
    const std::size_t face = where == Directories::kFirstReversed ? fonts.size() - 1 - i : i;
    PutU32(collection, 12 + 4 * face, static_cast<std::uint32_t>(at));
    std::copy(rewritten[face].begin(), rewritten[face].end(),
              collection.begin() + static_cast<std::ptrdiff_t>(at));
    at += rewritten[face].size();
  }
  return collection;
}

Bytes SansAndSerif(Directories where) {
  return Collection({TestFont("QmTestSans-Regular.ttf"), TestFont("QmTestSerif.otf")}, where);
}

TEST(SingleFaceTest, EachFaceOfACollectionReadsAsAFontOfItsOwnInPlace) {
  for (const auto& [index, family] : {std::pair{0, "Quillmere Pair One"},
                                      {1, "Quillmere Pair Two"},
                                      {1 | 3 << 16, "Quillmere Pair Two"}}) {
    Bytes file = TestFont("QmPair.ttc");
    const std::optional<SingleFaceBytes> face = SingleFace(file, index);
    ASSERT_TRUE(face) << index;
    EXPECT_TRUE(face->copy.empty()) << index;
    EXPECT_EQ(face->bytes.data(), file.data());
    EXPECT_EQ(FamilyOf(face->bytes), family);
  }
}

TEST(SingleFaceTest, ADirectoryOverlappingTheStartIsReadBeforeItIsOverwritten) {
  // The serif face's directory starts right after the header, inside the
  // bytes its rewrite covers; the sans face's lies behind it.
  for (const auto& [index, family] :
       {std::pair{0, "Quillmere Test Sans"}, {1, "Quillmere Test Serif"}}) {
    Bytes file = SansAndSerif(Directories::kFirstReversed);
    const std::optional<SingleFaceBytes> face = SingleFace(file, index);
    ASSERT_TRUE(face) << index;
    EXPECT_TRUE(face->copy.empty()) << index;
    EXPECT_EQ(FamilyOf(face->bytes), family);
  }
}

TEST(SingleFaceTest, ADirectoryThatDoesNotFitBeforeTheTablesIsCopiedIntoAStandaloneFont) {
  for (const auto& [index, family] :
       {std::pair{0, "Quillmere Test Sans"}, {1, "Quillmere Test Serif"}}) {
    Bytes file = SansAndSerif(Directories::kLast);
    const Bytes original = file;
    std::optional<SingleFaceBytes> face = SingleFace(file, index);
    ASSERT_TRUE(face) << index;
    ASSERT_FALSE(face->copy.empty()) << index;
    EXPECT_EQ(file, original) << "copying leaves the file as it is";
    // Moved, the bytes stay those of the moved copy.
    const SingleFaceBytes moved = std::move(*face);
    EXPECT_EQ(moved.bytes.data(), moved.copy.data());
    EXPECT_EQ(FamilyOf(moved.bytes), family);

    const Bytes& font = moved.copy;
    const std::size_t count = U16At(font, 4);
    EXPECT_EQ(count, U16At(TestFont(index == 0 ? "QmTestSans-Regular.ttf" : "QmTestSerif.otf"), 4));
    ASSERT_TRUE(count >= 8 && count < 16) << "the search fields below are those for 8 to 15";
    EXPECT_EQ(U16At(font, 6), 16 * 8) << "search range: 16 times the largest power of 2 <= count";
    EXPECT_EQ(U16At(font, 8), 3);
    EXPECT_EQ(U16At(font, 10), 16 * count - 16 * 8);
    for (std::size_t record = 12; record < DirectorySize(font); record += 16) {
      EXPECT_EQ(U32At(font, record + 8) % 4, 0u);
      EXPECT_LE(U32At(font, record + 8) + U32At(font, record + 12), font.size());
      if (record > 12) {
        EXPECT_LT(U32At(font, record - 16), U32At(font, record)) << "tag order";
      }
    }
  }
}

TEST(SingleFaceTest, AFontThatIsNoCollectionIsItsOwnOnlyFace) {
  for (const std::string name : {"QmTestSans-Regular.ttf", "Broken-NotAFont.ttf"}) {
    Bytes file = TestFont(name);
    const Bytes original = file;
    for (const int index : {0, 2 << 16}) {
      const std::optional<SingleFaceBytes> face = SingleFace(file, index);
      ASSERT_TRUE(face) << name << " " << index;
      EXPECT_EQ(face->bytes.data(), file.data());
      EXPECT_EQ(face->bytes.size(), file.size());
      EXPECT_TRUE(face->copy.empty());
    }
    EXPECT_EQ(file, original);
    EXPECT_FALSE(SingleFace(file, 1)) << name;
  }
  Bytes sans = TestFont("QmTestSans-Regular.ttf");
  EXPECT_EQ(FamilyOf(SingleFace(sans, 0)->bytes), "Quillmere Test Sans");
  Bytes empty;
  EXPECT_FALSE(SingleFace(empty, 0));
}

TEST(SingleFaceTest, FacesTheCollectionDoesNotHoldGiveNothing) {
  Bytes file = TestFont("QmPair.ttc");
  EXPECT_FALSE(SingleFace(file, 2));
  EXPECT_FALSE(SingleFace(file, 0xFFFF));
  EXPECT_FALSE(SingleFace(file, -1));
}

TEST(SingleFaceTest, TruncatedCollectionsNeverReadPastTheirEnd) {
  const Bytes whole = TestFont("QmPair.ttc");
  const std::size_t secondDirectory = U32At(whole, 16);
  const std::size_t directoryEnd = secondDirectory + DirectorySize(whole, secondDirectory);
  for (std::size_t size = 0; size < whole.size(); ++size) {
    // Each length in its own allocation, so that a read past it is one past
    // the allocation for the sanitizers.
    Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    const std::optional<SingleFaceBytes> face = SingleFace(cut, 1);
    EXPECT_EQ(face.has_value(), size >= directoryEnd)
        << "the second face's directory is whole "
        << "from " << directoryEnd << ", not " << size;
  }
}

TEST(SingleFaceTest, HostileHeadersAndDirectoriesGiveNothing) {
  const Bytes pair = TestFont("QmPair.ttc");
  Bytes manyFaces = pair;
  PutU32(manyFaces, 8, 0xFFFFFFFF);
  EXPECT_FALSE(SingleFace(manyFaces, 0xFFF0)) << "the face's entry lies past the end";

  Bytes directoryPastEnd = pair;
  PutU32(directoryPastEnd, 16, 0xFFFFFFF0);
  EXPECT_FALSE(SingleFace(directoryPastEnd, 1));

  Bytes manyTables = pair;
  PutU16(manyTables, U32At(pair, 16) + 4, 0xFFFF);
  EXPECT_FALSE(SingleFace(manyTables, 1));

  Bytes noSfnt = pair;
  PutU32(noSfnt, U32At(pair, 16), 0x12345678);
  EXPECT_FALSE(SingleFace(noSfnt, 1)) << "the face's directory is no sfnt directory";

  Bytes garbage(64, std::byte{0xA5});
  PutU32(garbage, 0, 0x74746366);  // 'ttcf'
  EXPECT_FALSE(SingleFace(garbage, 0));
}

TEST(SingleFaceTest, CopiesLeaveOutTablesPastTheEndAndRefuseOverlappingOnes) {
  const Bytes file = SansAndSerif(Directories::kLast);
  const std::size_t directory = U32At(file, 16);
  const std::size_t count = U16At(file, directory + 4);

  Bytes pastEnd = file;
  PutU32(pastEnd, directory + 12 + 8, static_cast<std::uint32_t>(file.size() - 2));
  const std::optional<SingleFaceBytes> face = SingleFace(pastEnd, 1);
  ASSERT_TRUE(face);
  EXPECT_EQ(U16At(face->copy, 4), count - 1);

  // Every record naming nearly the whole file would make a copy many times its size.
  Bytes overlapping = file;
  for (std::size_t i = 0; i < count; ++i) {
    PutU32(overlapping, directory + 12 + 16 * i + 8, static_cast<std::uint32_t>(i));
    PutU32(overlapping, directory + 12 + 16 * i + 12, static_cast<std::uint32_t>(file.size() - i));
  }
  EXPECT_FALSE(SingleFace(overlapping, 1));
}

class SingleFaceOnDiskTest : public test::FolderTest {};

TEST_F(SingleFaceOnDiskTest, RewritingAPrivateMappingLeavesTheFileAsItWas) {
  const std::string path = Path("QmPair.ttc");
  std::filesystem::copy_file(QM_TEST_FONTS_DIR "/QmPair.ttc", path);
  const Bytes before = FileBytes(path);
  {
    std::unique_ptr<platform::MappedFile> mapped = platform::MapFilePrivately(path);
    ASSERT_NE(mapped, nullptr);
    const std::optional<SingleFaceBytes> face = SingleFace(mapped->Bytes(), 1);
    ASSERT_TRUE(face);
    EXPECT_TRUE(face->copy.empty());
    EXPECT_EQ(FamilyOf(face->bytes), "Quillmere Pair Two");
  }
  EXPECT_EQ(FileBytes(path), before);
}

}  // namespace
}  // namespace qm::faces
