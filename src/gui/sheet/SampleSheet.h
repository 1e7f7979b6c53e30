// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sample sheet: every font name written in its own face, one per line.

#include <QFont>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

#include "gui/common/ListedFamily.h"
#include "gui/common/TextStyles.h"

class QLabel;
class QPlainTextEdit;

namespace qm::gui {
class FramePump;
}

namespace qm::gui {

QString SheetProgressText(qsizetype line, qsizetype total);  // "5/320"

// Empties sheet and writes line k, names[k]'s shown name, in its face, with
// the sheet's styles. Progress goes to label as "k/N"; after each line
// stopRequested is asked whether to go on. Returns the lines written.
qsizetype BuildSampleSheet(QPlainTextEdit* sheet, const ListedFamilies& names,
                           const TextStyleFlags& style, QLabel* label, gui::FramePump& pump,
                           const std::function<bool()>& stopRequested);

// Opens the faces of the lines about to be drawn (giving the characters a
// face lacks their fallback), and, while the window is idle, those of the
// lines just below and above the page shown, so that paging finds them
// ready. Faces opened for lines far from the screen are let go again, which
// bounds memory by the lines near the screen, not by the sheet.
class SheetFacePrefetcher : public QObject {
 public:
  // Budget of one idle turn: short enough not to be felt.
  static constexpr qint64 kTurnMs = 8;
  // Lines whose faces were opened (prepared or drawn) before the faces off
  // the screen are let go: enough for several pages each way.
  static constexpr int kLinesBeforeRelease = 200;

  explicit SheetFacePrefetcher(QPlainTextEdit* sheet);

  // Starts over on a new sheet, from the page now shown.
  void Restart();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Tracking() const;
  int TopLine() const;
  int PageLines() const;
  void PrepareShown();
  void PrefetchSome();
  bool PrepareOnce(int line);
  bool PrepareNext(int from, int to);
  void NoteOpened(int line);
  void ReleaseFacesOffScreen();

  QPlainTextEdit* sheet_;
  // Kept: while the sheet is destroyed it is no longer a scroll area to ask.
  QWidget* viewport_;
  QTimer idle_;
  std::vector<bool> prepared_;  // by line
  QFont baseFace_;              // the lines' fallback face, kept open for every script
  std::vector<bool> opened_;    // by line: its faces opened since they were last let go
  int openedSinceRelease_ = 0;
  int shownLines_ = 0;  // on the screen when last drawn
};

}  // namespace qm::gui
