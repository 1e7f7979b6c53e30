// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's settings: the sample size read at start-up, and the
// width of the font-name list the person chose, kept and given back.

#include <QString>

class QSplitter;

namespace qm::gui {

class WindowSettings {
 public:
  // The stored sample size into size when a text can have it, else size
  // stays; returns the reading's error, empty when it could be read.
  QString ReadSampleFontSize(qint16& size) const;
  // Stores the list's width each time the person drags the divider.
  void KeepListWidth(QSplitter* columns) const;
  // Gives the kept width back, on the first call only.
  void RestoreListWidth(QSplitter* columns);

 private:
  bool listWidthRestored_ = false;
};

}  // namespace qm::gui
