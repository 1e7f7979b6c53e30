// SPDX-License-Identifier: GPL-3.0-or-later
// Windows offers no pinyin through the Win32 calls this program may use
// (the transliteration of the Linux build comes from ICU, which the
// Windows build does not carry), so there are no readings here: names are
// then found by what they are written with, never by pinyin.

#include "core/platform/HanReadings.h"

namespace qm::platform {
namespace {

class NoHanReadings : public HanReadings {
 public:
  std::string Reading(char32_t /*character*/) override { return {}; }
};

}  // namespace

std::unique_ptr<HanReadings> CreateHanReadings() { return std::make_unique<NoHanReadings>(); }

}  // namespace qm::platform
