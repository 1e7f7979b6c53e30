// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/printing/PageLayoutSteps.h"

#include <QCoreApplication>
#include <QTextDocument>

namespace qm::gui {
namespace {

// A step's length: well below the pause a person notices, leaving room for
// a paragraph whose face takes long to open.
constexpr qint64 kStepMs = 20;

}  // namespace

PageLayoutSteps::PageLayoutSteps(QObject* parent) : QObject(parent) {
  // Each step is queued when the one before ends: a repeating timer would
  // come due again before the timers that fell due during the step, and
  // take the next step ahead of them.
  stepTimer_.setInterval(0);
  stepTimer_.setSingleShot(true);
  connect(&stepTimer_, &QTimer::timeout, this, &PageLayoutSteps::TakeStep);
}

PageLayoutSteps::~PageLayoutSteps() = default;

void PageLayoutSteps::Start(std::unique_ptr<QTextDocument> document, const PageFrame& frame,
                            std::optional<FaceBlockPainter> faces) {
  recorder_ = std::make_unique<PageRecorder>(std::move(document), frame, std::move(faces));
  stepTimer_.start();
}

void PageLayoutSteps::TakeStep() {
  const bool more = recorder_->Step(kStepMs);
  for (; handedOver_ < recorder_->PageCount(); ++handedOver_) emit PageRecorded(handedOver_);
  if (more) {
    stepTimer_.start();
    return;
  }
  done_ = true;
  emit Finished();
}

void PageLayoutSteps::WaitUntilDone() {
  while (!done_) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace qm::gui
