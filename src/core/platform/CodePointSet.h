// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A set of Unicode characters as fonts carry them: blocks of 256 code
// points, each a bitmap, kept in order.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qm::platform {

class CodePointSet {
 public:
  using PageBits = std::array<std::uint32_t, 8>;  // bit c % 32 of word (c % 256) / 32

  // Pages are added in ascending order of first; base is a multiple of 256.
  void AddPage(char32_t base, const PageBits& bits);
  // Any character, in any order.
  void Add(char32_t character);

  bool Has(char32_t character) const;
  bool IsEmpty() const { return pages_.empty(); }
  // How many characters of [first, last] the set holds.
  std::size_t CountInRange(char32_t first, char32_t last) const;

 private:
  struct Page {
    char32_t base;
    PageBits bits;
  };
  std::size_t FirstPageFrom(char32_t base) const;  // the first page at or after base
  const Page* PageOf(char32_t character) const;

  std::vector<Page> pages_;
};

}  // namespace qm::platform
