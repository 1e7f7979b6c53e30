// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Face addresses as test failures print them.

#include <ostream>

#include "gui/common/FaceEngine.h"

namespace qm::gui {

inline void PrintTo(const FaceAddress& face, std::ostream* out) {
  *out << face.file.toStdString() << " #" << face.index;
}

}  // namespace qm::gui
