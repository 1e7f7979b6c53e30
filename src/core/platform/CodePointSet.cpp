// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/CodePointSet.h"

#include <algorithm>
#include <bit>

namespace qm::platform {
namespace {

constexpr char32_t kPageSize = 256;

char32_t BaseOf(char32_t character) { return character - character % kPageSize; }

std::uint32_t BitOf(char32_t character) { return 1u << (character % 32); }

std::size_t WordOf(char32_t character) { return (character % kPageSize) / 32; }

}  // namespace

void CodePointSet::AddPage(char32_t base, const PageBits& bits) { pages_.push_back({base, bits}); }

void CodePointSet::Add(char32_t character) {
  const char32_t base = BaseOf(character);
  const std::size_t at = FirstPageFrom(base);
  if (at == pages_.size() || pages_[at].base != base)
    pages_.insert(pages_.begin() + static_cast<std::ptrdiff_t>(at), {base, {}});
  pages_[at].bits[WordOf(character)] |= BitOf(character);
}

std::size_t CodePointSet::FirstPageFrom(char32_t base) const {
  const auto page = std::lower_bound(pages_.begin(), pages_.end(), base,
                                     [](const Page& p, char32_t b) { return p.base < b; });
  return static_cast<std::size_t>(page - pages_.begin());
}

const CodePointSet::Page* CodePointSet::PageOf(char32_t character) const {
  const std::size_t at = FirstPageFrom(BaseOf(character));
  return at < pages_.size() && pages_[at].base == BaseOf(character) ? &pages_[at] : nullptr;
}

bool CodePointSet::Has(char32_t character) const {
  const Page* page = PageOf(character);
  return page && (page->bits[WordOf(character)] & BitOf(character));
}

std::size_t CodePointSet::CountInRange(char32_t first, char32_t last) const {
  std::size_t count = 0;
  for (auto page = pages_.begin() + static_cast<std::ptrdiff_t>(FirstPageFrom(BaseOf(first)));
       page != pages_.end() && page->base <= last; ++page) {
    if (page->base >= first && static_cast<char32_t>(page->base + kPageSize - 1) <= last) {
      for (std::uint32_t word : page->bits) count += static_cast<std::size_t>(std::popcount(word));
      continue;
    }
    // A page the range only partly covers: its characters one by one.
    const char32_t from = std::max(first, page->base);
    const char32_t to = std::min<char32_t>(last, page->base + kPageSize - 1);
    for (char32_t c = from; c <= to; ++c)
      if (page->bits[WordOf(c)] & BitOf(c)) ++count;
  }
  return count;
}

}  // namespace qm::platform
