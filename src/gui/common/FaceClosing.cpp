// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/FaceClosing.h"

#include <QFont>

#include "core/platform/Memory.h"

namespace qm::gui {

void CloseOpenFaces() {
  // Replaces the toolkit's font cache with an empty one: each font notices
  // the new cache when next drawn and asks it for its face anew.
  QFont::cleanup();
  platform::ReturnFreedMemory();
}

}  // namespace qm::gui
