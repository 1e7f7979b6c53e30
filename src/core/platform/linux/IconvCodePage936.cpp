// SPDX-License-Identifier: GPL-3.0-or-later
// Code page 936 through glibc's iconv, one converter for the program's life.

#include <errno.h>
#include <iconv.h>

#include "core/platform/CodePage936.h"

namespace qm::platform {
namespace {

iconv_t Converter() {
  static const iconv_t converter = iconv_open("CP936", "UTF-8");
  return converter;
}

}  // namespace

std::size_t AppendCodePage936(std::string_view utf8, std::string& out) {
  const iconv_t converter = Converter();
  if (converter == reinterpret_cast<iconv_t>(-1)) return 0;
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(utf8.data());  // iconv's interface only; it reads
  std::size_t inLeft = utf8.size();
  while (inLeft > 0) {
    // Two bytes at most for each input byte's character.
    const std::size_t start = out.size();
    out.resize(start + inLeft * 2);
    char* written = out.data() + start;
    std::size_t outLeft = inLeft * 2;
    const std::size_t result = iconv(converter, &in, &inLeft, &written, &outLeft);
    out.resize(out.size() - outLeft);
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) break;
  }
  return utf8.size() - inLeft;
}

}  // namespace qm::platform
