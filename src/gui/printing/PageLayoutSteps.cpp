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

void PageLayoutSteps::Start(std::unique_ptr<QTextDocument> document, const PageFrame& frame) {
  recorder_ = std::make_unique<PageRecorder>(std::move(document), frame);
  stepTimer_.start();
}

void PageLayoutSteps::TakeStep() {
  const bool more = recorder_->Step(kStepMs);
  for (; handedOver_ < recorder_->PageCount(); ++handedOver_)
    emit PageRecorded(recorder_->Page(handedOver_));
  if (more) {
    stepTimer_.start();
    return;
  }
  // The pages are handed over; the document and its layout are no longer
  // needed, but the faces are, to show and print the pages.
  keptFonts_ = recorder_->Fonts();
  recorder_.reset();
  done_ = true;
  emit Finished();
}

void PageLayoutSteps::WaitUntilDone() {
  while (!done_) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace qm::gui
