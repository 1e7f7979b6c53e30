// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/faces/SingleFace.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <utility>

namespace qm::faces {
namespace {

constexpr std::size_t kCollectionHeaderSize = 12;  // tag, version, number of faces
constexpr std::size_t kOffsetTableSize = 12;       // sfnt version, table count, search fields
constexpr std::size_t kTableRecordSize = 16;       // tag, checksum, offset, length

constexpr std::uint32_t Tag(const char (&name)[5]) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(name[0])) << 24 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(name[1])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(name[2])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(name[3]));
}

struct TableRecord {
  std::uint32_t tag = 0;
  std::uint32_t checksum = 0;
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
};

struct Directory {
  std::size_t offset = 0;  // where the offset table starts in the file
  std::uint32_t version = 0;
  std::vector<TableRecord> tables;

  std::size_t Size() const { return kOffsetTableSize + kTableRecordSize * tables.size(); }
};

// Big-endian numbers; callers have checked that they lie inside bytes.
std::uint32_t U32At(std::span<const std::byte> bytes, std::size_t at) {
  return std::to_integer<std::uint32_t>(bytes[at]) << 24 |
         std::to_integer<std::uint32_t>(bytes[at + 1]) << 16 |
         std::to_integer<std::uint32_t>(bytes[at + 2]) << 8 |
         std::to_integer<std::uint32_t>(bytes[at + 3]);
}

std::uint16_t U16At(std::span<const std::byte> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes[at]) << 8 |
                                    std::to_integer<unsigned>(bytes[at + 1]));
}

void PutU32(std::span<std::byte> bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<std::byte>(value >> (24 - 8 * i) & 0xFF);
}

void PutU16(std::span<std::byte> bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<std::byte>(value >> 8);
  bytes[at + 1] = static_cast<std::byte>(value & 0xFF);
}

// Whether count bytes from at lie inside a span of size bytes.
bool Inside(std::size_t size, std::size_t at, std::size_t count) {
  return at <= size && count <= size - at;
}

bool IsCollection(std::span<const std::byte> file) {
  return file.size() >= 4 && U32At(file, 0) == Tag("ttcf");
}

bool IsSfntVersion(std::uint32_t version) {
  return version == 0x00010000 || version == Tag("OTTO") || version == Tag("true");
}

// Where the collection's offset table of a face starts; nullopt when the
// face is not in the collection or its entry lies outside the file.
std::optional<std::size_t> FaceDirectoryOffset(std::span<const std::byte> file, std::size_t face) {
  if (!Inside(file.size(), 0, kCollectionHeaderSize)) return std::nullopt;
  if (face >= U32At(file, 8)) return std::nullopt;
  const std::size_t entry = kCollectionHeaderSize + 4 * face;
  if (!Inside(file.size(), entry, 4)) return std::nullopt;
  return U32At(file, entry);
}

std::optional<Directory> ReadDirectory(std::span<const std::byte> file, std::size_t offset) {
  if (!Inside(file.size(), offset, kOffsetTableSize)) return std::nullopt;
  Directory directory{offset, U32At(file, offset), {}};
  const std::size_t count = U16At(file, offset + 4);
  if (!IsSfntVersion(directory.version) || count == 0 ||
      !Inside(file.size(), offset + kOffsetTableSize, kTableRecordSize * count))
    return std::nullopt;
  directory.tables.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = offset + kOffsetTableSize + kTableRecordSize * i;
    directory.tables.push_back(
        {U32At(file, at), U32At(file, at + 4), U32At(file, at + 8), U32At(file, at + 12)});
  }
  return directory;
}

std::size_t FirstTableOffset(const Directory& directory) {
  std::size_t first = SIZE_MAX;
  for (const TableRecord& table : directory.tables)
    first = std::min<std::size_t>(first, table.offset);
  return first;
}

// The start of file becomes the face's directory. Read into a buffer first,
// as the directory may overlap the bytes it is written over.
SingleFaceBytes RewrittenInPlace(std::span<std::byte> file, const Directory& directory) {
  const auto source = file.subspan(directory.offset, directory.Size());
  const std::vector<std::byte> copied(source.begin(), source.end());
  std::memcpy(file.data(), copied.data(), copied.size());
  return {file, {}};
}

std::size_t Aligned4(std::size_t size) { return (size + 3) & ~std::size_t{3}; }

// The fields a reader uses to binary-search count table records.
void PutSearchFields(std::span<std::byte> font, std::size_t count) {
  std::size_t power = 1;
  std::uint16_t log2 = 0;
  while (power * 2 <= count) {
    power *= 2;
    ++log2;
  }
  PutU16(font, 4, static_cast<std::uint16_t>(count));
  PutU16(font, 6, static_cast<std::uint16_t>(power * kTableRecordSize));
  PutU16(font, 8, log2);
  PutU16(font, 10, static_cast<std::uint16_t>((count - power) * kTableRecordSize));
}

// The face's tables that lie inside the file, in tag order as the directory
// is to list them.
std::vector<TableRecord> TablesInside(std::span<const std::byte> file, const Directory& directory) {
  std::vector<TableRecord> tables;
  for (const TableRecord& table : directory.tables)
    if (Inside(file.size(), table.offset, table.length)) tables.push_back(table);
  std::sort(tables.begin(), tables.end(),
            [](const TableRecord& a, const TableRecord& b) { return a.tag < b.tag; });
  return tables;
}

// A standalone font of the face's tables, each 4-byte aligned. Records
// naming the same bytes share one copy of them. nullopt when the tables
// would take more than the file (records overlapping on purpose).
std::optional<SingleFaceBytes> CopiedFace(std::span<const std::byte> file,
                                          const Directory& directory) {
  const std::vector<TableRecord> tables = TablesInside(file, directory);
  if (tables.empty()) return std::nullopt;
  std::map<std::pair<std::uint32_t, std::uint32_t>, std::size_t> placed;  // by offset and length
  const std::size_t header = kOffsetTableSize + kTableRecordSize * tables.size();
  const std::size_t limit = header + file.size() + 3 * tables.size();
  std::size_t end = header;
  for (const TableRecord& table : tables) {
    if (!placed.try_emplace({table.offset, table.length}, end).second) continue;
    end += Aligned4(table.length);
    if (end > limit) return std::nullopt;
  }
  SingleFaceBytes face;
  face.copy.resize(end);
  const std::span<std::byte> font(face.copy);
  PutU32(font, 0, directory.version);
  PutSearchFields(font, tables.size());
  for (std::size_t i = 0; i < tables.size(); ++i) {
    const TableRecord& table = tables[i];
    const std::size_t at = placed.at({table.offset, table.length});
    const std::size_t record = kOffsetTableSize + kTableRecordSize * i;
    PutU32(font, record, table.tag);
    PutU32(font, record + 4, table.checksum);
    PutU32(font, record + 8, static_cast<std::uint32_t>(at));
    PutU32(font, record + 12, table.length);
    std::memcpy(font.data() + at, file.data() + table.offset, table.length);
  }
  face.bytes = face.copy;
  return face;
}

}  // namespace

std::optional<SingleFaceBytes> SingleFace(std::span<std::byte> file, int index) {
  if (index < 0) return std::nullopt;
  const auto face = static_cast<std::size_t>(index & 0xFFFF);
  if (!IsCollection(file)) {
    if (face != 0 || file.empty()) return std::nullopt;
    return SingleFaceBytes{file, {}};
  }
  const std::optional<std::size_t> offset = FaceDirectoryOffset(file, face);
  if (!offset) return std::nullopt;
  const std::optional<Directory> directory = ReadDirectory(file, *offset);
  if (!directory) return std::nullopt;
  if (directory->Size() <= FirstTableOffset(*directory)) return RewrittenInPlace(file, *directory);
  return CopiedFace(file, *directory);
}

}  // namespace qm::faces
