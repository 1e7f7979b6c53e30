#include "app/FramePump.h"

#include <QCoreApplication>

namespace qm::app {

FramePump::FramePump(qint64 frameMs) : frameMs_(frameMs) { sinceLastRun_.start(); }

bool FramePump::Due() const { return sinceLastRun_.elapsed() >= frameMs_; }

void FramePump::Run() {
  longestGapMs_ = std::max(longestGapMs_, sinceLastRun_.elapsed());
  QCoreApplication::processEvents();
  sinceLastRun_.restart();
}

void FramePump::Tick() {
  if (Due()) Run();
}

}  // namespace qm::app
