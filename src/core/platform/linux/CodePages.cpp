// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/linux/CodePages.h"

#include <iconv.h>

#include <algorithm>

namespace qm::platform {
namespace {

class Converter {
 public:
  explicit Converter(const std::string& codePage) : cd_(iconv_open("UTF-32LE", codePage.c_str())) {}
  ~Converter() {
    if (Usable()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // The one character the bytes stand for whole; 0 when they are not one.
  char32_t CharacterOf(std::string bytes) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    unsigned char out[8] = {};
    char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    char* outAt = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof out;
    if (iconv(cd_, &in, &inLeft, &outAt, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0 ||
        outLeft != 4)
      return 0;
    return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::vector<char32_t> CodePageCharacters(const std::string& codePage) {
  Converter converter(codePage);
  std::vector<char32_t> characters;
  if (!converter.Usable()) return characters;
  for (int single = 1; single <= 0xFF; ++single)
    if (char32_t c = converter.CharacterOf(std::string(1, static_cast<char>(single))))
      characters.push_back(c);
  // The double-byte range shared by the Chinese code pages.
  for (int lead = 0x81; lead <= 0xFE; ++lead)
    for (int trail = 0x40; trail <= 0xFE; ++trail)
      if (char32_t c = converter.CharacterOf({static_cast<char>(lead), static_cast<char>(trail)}))
        characters.push_back(c);
  std::sort(characters.begin(), characters.end());
  characters.erase(std::unique(characters.begin(), characters.end()), characters.end());
  return characters;
}

}  // namespace qm::platform
