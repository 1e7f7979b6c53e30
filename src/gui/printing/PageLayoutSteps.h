// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lays pages out and records them on the window's thread, a short step at a
// time between the window's events, handing each page over as it is done.
// The text layout opens every face the text uses, which takes seconds on a
// large sheet; done here, each face is opened once for the layout, the
// preview and the printer alike, where a thread of its own would open them
// all again (each thread keeps faces of its own).

#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

#include "gui/printing/PageRecorder.h"

class QTextDocument;

namespace qm::gui {

class PageLayoutSteps : public QObject {
  Q_OBJECT
 public:
  explicit PageLayoutSteps(QObject* parent = nullptr);
  ~PageLayoutSteps() override;

  // Lays document, a copy made for the purpose, out on pages of frame;
  // faces draws its text in listed faces.
  void Start(std::unique_ptr<QTextDocument> document, const PageFrame& frame,
             std::optional<FaceBlockPainter> faces = std::nullopt);
  // Waits until every page has been handed over, letting window events run.
  void WaitUntilDone();
  bool Done() const { return done_; }
  // The pages, handed over or not; they stay to be drawn once all are done.
  PageRecorder& Pages() { return *recorder_; }

 signals:
  void PageRecorded(int index);
  void Finished();

 private:
  void TakeStep();

  std::unique_ptr<PageRecorder> recorder_;
  QTimer stepTimer_;
  int handedOver_ = 0;
  bool done_ = false;
};

}  // namespace qm::gui
