// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Long loops keep the window alive by letting pending events run, but only
// once per frame: running them after every item costs far more than the
// items themselves.

#include <QElapsedTimer>

namespace qm::gui {

class FramePump {
 public:
  static constexpr qint64 kFrameMs = 16;

  // frameMs < 0: the length set for the whole program (kFrameMs unless a
  // test asked for another, such as 0 to let events run after every item).
  explicit FramePump(qint64 frameMs = -1);
  static void SetDefaultFrameMs(qint64 frameMs);
  // True when a frame's time has passed since events last ran.
  bool Due() const;
  // Lets pending window events run and starts the next frame.
  void Run();
  // Run() when Due().
  void Tick();

 private:
  qint64 frameMs_;
  QElapsedTimer sinceLastRun_;
};

}  // namespace qm::gui
