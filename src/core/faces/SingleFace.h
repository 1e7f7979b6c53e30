// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One face of a font file as a font of its own, for loaders that read a
// font from memory.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace qm::faces {

// Font loaders that take a font from memory read its first face. For face `index` of a
// collection (a 'ttcf' file) this rewrites the start of `file` (a private mapping) so that it
// begins with that face's own table directory; the directory's table offsets count from the
// file's start in a collection too, so the tables are read where they are. When the directory
// does not fit before the first of the face's tables, the face's tables are copied into a
// standalone font instead.
//
// Move a SingleFaceBytes, do not copy it: a moved vector keeps its buffer, so `bytes` stays
// valid in the moved-to object, while in a copy it would still point into the original's.
struct SingleFaceBytes {
  std::span<const std::byte> bytes;  // the face as a standalone font
  std::vector<std::byte> copy;       // owns bytes when they had to be copied; else empty
};

// nullopt when index is out of range or the bytes are not an sfnt/collection. A file that is
// no collection (sfnt, or any other format such as Type 1 / PCF / WOFF) with index 0 is
// returned as it is. The high 16 bits of index (a variable font's named instance, as fontconfig
// numbers faces) do not choose the face.
std::optional<SingleFaceBytes> SingleFace(std::span<std::byte> file, int index);

}  // namespace qm::faces
