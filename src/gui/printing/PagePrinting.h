// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer side of the recorded pages: the default printer set up for
// them, and one print job of all pages.

#include <QString>
#include <memory>
#include <vector>

class QPainter;
class QPrinter;

namespace qm::gui {

class PageRecorder;
struct PageFrame;

// The print system's default printer, measuring from the paper's corner;
// nullptr when there is none. pageSetting 1 asks for portrait orientation,
// the page setting every caller means.
std::unique_ptr<QPrinter> DefaultPrinter(int pageSetting);

// The printer's paper, margins in twips.
PageFrame FrameOf(const QPrinter& printer, int left, int top, int right, int bottom);

// Draws a page laid out in twips at scale (1 is its natural size on painter's device).
void DrawPage(QPainter& painter, PageRecorder& pages, int index, double scale);

struct JobOutcome {
  bool started = false;  // false when the printer could not start the job
  QString refusal;       // the print system's number and reason when it refused the job
};

// Prints every page as one job.
JobOutcome PrintJob(QPrinter& printer, PageRecorder& pages);

}  // namespace qm::gui
