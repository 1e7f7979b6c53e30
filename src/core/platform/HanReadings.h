// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pinyin reading of a Chinese character, from the system's
// transliteration service.

#include <memory>
#include <string>

namespace qm::platform {

class HanReadings {
 public:
  virtual ~HanReadings() = default;
  // The reading of a Han character in lower-case ASCII without tone marks
  // ("wen" for 文, "lu" for 绿); empty for any other character. A character
  // with several readings gets the one the service gives first.
  virtual std::string Reading(char32_t character) = 0;
};

// The implementation for the system this program was built for. It may
// prepare itself in the background, so that making one costs nothing.
std::unique_ptr<HanReadings> CreateHanReadings();

}  // namespace qm::platform
