// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lays a rich-text document out on printer pages, page after page, each
// page starting at the first character that did not fit on the one before,
// and draws any page from the layout when it is shown or printed. The work
// is done in short steps so that a window showing the pages never waits
// long for it.
//
// Text in listed faces (a sheet's, a sample's or a comparison's lines) is
// laid out in the document's own face and drawn by a face painter in the
// listed faces, one line per paragraph as the boxes show it: the layout
// never opens those faces, and a page opens only its own.

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QSet>
#include <QTextBlock>
#include <memory>
#include <optional>
#include <vector>

#include "gui/common/FaceText.h"

class QPainter;
class QTextDocument;

namespace qm::gui {

inline constexpr double kTwipsPerInch = 1440.0;

// A page in twips: the paper and the area text is laid out in.
struct PageFrame {
  QSizeF paper;
  QRectF area;
  static PageFrame FromMargins(const QSizeF& paper, int left, int top, int right, int bottom);
};

class PageRecorder {
 public:
  // Page numbers are 16-bit in the program; a longer text ends on the last.
  static constexpr int kMaxPages = 32767;

  // Takes the document, a copy the caller made for the purpose; faces draws
  // its text in listed faces (at the pages' resolution, kTwipsPerInch).
  PageRecorder(std::unique_ptr<QTextDocument> document, const PageFrame& frame,
               std::optional<FaceBlockPainter> faces = std::nullopt);
  ~PageRecorder();
  PageRecorder(const PageRecorder&) = delete;
  PageRecorder& operator=(const PageRecorder&) = delete;

  // Lays out for about budgetMs (at least one paragraph) and records the
  // pages completed meanwhile. Returns false once every page is recorded.
  bool Step(qint64 budgetMs);
  void Finish();
  bool Done() const { return done_; }

  const PageFrame& Frame() const { return frame_; }
  int PageCount() const { return static_cast<int>(pages_.size()); }
  // Draws a page in twips, the paper's top left at 0, 0.
  void DrawPage(QPainter& painter, int index);
  // The first character placed on a page.
  int PageStart(int index) const { return pages_[static_cast<size_t>(index)].start; }
  // Characters of the text, without the document's closing paragraph mark.
  int TextLength() const { return textLength_; }
  // The text's fonts as the layout resolves them, opened ahead of it.
  const std::vector<QFont>& Fonts() const { return fonts_; }

 private:
  struct RecordedPage {
    double top;     // where the page starts in the document
    double height;  // of the document's text on the page
    int start;
    PageRecorder* from;  // the recorder whose document the page shows
  };

  PageRecorder(std::unique_ptr<QTextDocument> document, const PageFrame& frame,
               std::optional<FaceBlockPainter> faces, bool firstPagesAhead);

  // Lays out the first pages from the text's beginning, a paragraph at a
  // time, and takes them over; false once they are taken over.
  bool LayOutFirstPages();

  // Gives the next block the fallback for characters its faces lack; false
  // once every block has it.
  bool FallBackAhead();
  // Opens the faces of the next block ahead of the layout; false when the
  // layout's next stretch has its faces.
  bool OpenFacesAhead();
  void SetUpLayout();
  // Places the lines of the current block; true when the text is all placed.
  bool PlaceBlockLines();
  void RecordPage(double bottom);
  void DrawRecorded(QPainter& painter, const RecordedPage& page);
  // Draws the blocks inside shown one by one, those in listed faces by faces_.
  void DrawBlocks(QPainter& painter, const RecordedPage& page, const QRectF& shown);

  std::unique_ptr<QTextDocument> document_;
  std::unique_ptr<QObject> layoutTimerFilter_;
  QImage twipDevice_;  // measures text in twips
  PageFrame frame_;
  int textLength_ = 0;
  std::vector<RecordedPage> pages_;
  std::optional<FaceBlockPainter> faces_;
  std::unique_ptr<PageRecorder> firstPages_;  // the beginning, laid out on its own
  bool firstPagesTaken_ = false;
  int pagesPlaced_ = 0;  // pages the layout of the whole text completed
  std::vector<QFont> fonts_;
  QSet<int> formatsOpened_;   // character formats whose faces are open
  QTextBlock fallbackBlock_;  // next block to give the fallback
  QTextBlock aheadBlock_;     // next block to open faces for
  bool layoutSetUp_ = false;
  QTextBlock block_;
  int line_ = 0;        // next line of block_ to place
  double pageTop_ = 0;  // where the page being filled starts in the document
  int pageStart_ = 0;
  bool done_ = false;
};

}  // namespace qm::gui
