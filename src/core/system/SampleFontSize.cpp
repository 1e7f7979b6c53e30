// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/SampleFontSize.h"

#include <cmath>
#include <locale>
#include <sstream>

namespace qm::system {

FontSizeReading ParseSampleFontSize(const std::string& text) {
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  double number = 0;
  in >> number;
  if (in.fail() || !(in >> std::ws).eof()) return {false, 0, "类型不匹配"};
  const double rounded = std::nearbyint(number);  // default rounding: halves to even
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) return {false, 0, "溢出"};
  return {true, static_cast<std::int16_t>(rounded), {}};
}

}  // namespace qm::system
