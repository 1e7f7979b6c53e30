// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lays pages out and records them on a thread of its own, handing each page
// to the window's thread as it is done: the text layout opens every face
// the text uses, which can take seconds on a large sheet, and the window
// must not wait for it.

#include <QObject>
#include <QPicture>
#include <QThread>
#include <atomic>
#include <memory>

#include "gui/printing/PageRecorder.h"

class QTextDocument;

namespace qm::gui {

class PageLayoutThread : public QObject {
  Q_OBJECT
 public:
  explicit PageLayoutThread(QObject* parent = nullptr);
  // Stops the layout after its step in hand.
  ~PageLayoutThread() override;

  // Lays document, a copy made for the purpose, out on pages of frame.
  void Start(std::unique_ptr<QTextDocument> document, const PageFrame& frame);
  // Waits until every page has been handed over, letting window events run.
  void WaitUntilDone();
  bool Done() const { return done_; }

 signals:
  void PageRecorded(const QPicture& page);
  void Finished();

 private:
  std::unique_ptr<QThread> thread_;
  std::atomic<bool> stop_ = false;
  bool done_ = false;
};

}  // namespace qm::gui
