// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/printing/PageLayoutThread.h"

#include <QCoreApplication>
#include <QTextDocument>

namespace qm::gui {
namespace {

// How often the thread looks whether it is to stop.
constexpr qint64 kStepMs = 50;

}  // namespace

PageLayoutThread::PageLayoutThread(QObject* parent) : QObject(parent) {
  connect(this, &PageLayoutThread::Finished, this, [this] { done_ = true; });
}

PageLayoutThread::~PageLayoutThread() {
  stop_ = true;
  if (thread_) thread_->wait();
}

void PageLayoutThread::Start(std::unique_ptr<QTextDocument> document, const PageFrame& frame) {
  QTextDocument* text = document.get();
  thread_.reset(QThread::create([this, text, frame] {
    PageRecorder pages(std::unique_ptr<QTextDocument>(text), frame);
    int handedOver = 0;
    for (bool more = true; more && !stop_;) {
      more = pages.Step(kStepMs);
      for (; handedOver < pages.PageCount(); ++handedOver)
        emit PageRecorded(pages.Page(handedOver));
    }
    emit Finished();
  }));
  // The document and the layout made for it belong to the thread from now on.
  document.release()->moveToThread(thread_.get());
  thread_->start();
}

void PageLayoutThread::WaitUntilDone() {
  while (!done_) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace qm::gui
