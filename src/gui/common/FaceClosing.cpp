// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/FaceClosing.h"

#include <QFont>
#include <QTimer>

#include "core/platform/Memory.h"

namespace qm::gui {
namespace {

// Giving freed memory back walks the whole heap, about 10 ms: too long to
// add to the click that closed the faces. It is done once the window has
// nothing left to do, once for every close before it.
void ReturnFreedMemoryWhenIdle() {
  static bool pending = false;
  if (pending) return;
  pending = true;
  QTimer::singleShot(0, [] {
    pending = false;
    platform::ReturnFreedMemory();
  });
}

}  // namespace

void CloseOpenFaces() {
  // Replaces the toolkit's font cache with an empty one: each font notices
  // the new cache when next drawn and asks it for its face anew.
  QFont::cleanup();
  ReturnFreedMemoryWhenIdle();
}

}  // namespace qm::gui
