// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/FramePump.h"

#include <QCoreApplication>

namespace qm::gui {

namespace {
qint64 defaultFrameMs = FramePump::kFrameMs;
}

FramePump::FramePump(qint64 frameMs) : frameMs_(frameMs < 0 ? defaultFrameMs : frameMs) {
  sinceLastRun_.start();
}

void FramePump::SetDefaultFrameMs(qint64 frameMs) { defaultFrameMs = frameMs; }

bool FramePump::Due() const { return sinceLastRun_.elapsed() >= frameMs_; }

void FramePump::Run() {
  QCoreApplication::processEvents();
  sinceLastRun_.restart();
}

void FramePump::Tick() {
  if (Due()) Run();
}

}  // namespace qm::gui
