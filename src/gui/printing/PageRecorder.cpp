// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/printing/PageRecorder.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextOption>

#include "gui/common/ListedFaces.h"

namespace qm::gui {
namespace {

constexpr double kInchesPerMetre = 1 / 0.0254;
// Rounding in the layout must not push a line that fits onto the next page.
constexpr double kFitSlack = 0.01;
constexpr double kEdgeTwips = 1;
// The document's layout lays out 1,000 characters when it is set up and
// 2,000 at a time after; faces are opened that far ahead of the lines placed.
constexpr int kFirstStretch = 1000;
constexpr int kStretch = 2000;
// The text the first pages are laid out from ahead of the rest: a few pages
// of the sample sheet, two of prose.
constexpr int kFirstPagesReach = 8000;

// The document layout lays itself out on a timer of its own in steps that
// double in size; the steps here replace it, so its timer is ignored.
class TimerFilter : public QObject {
 public:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    return event->type() == QEvent::Timer;
  }
};

// The document's text before end, as a document of its own with the same defaults.
std::unique_ptr<QTextDocument> Beginning(const QTextDocument& document, int end) {
  QTextCursor start(const_cast<QTextDocument*>(&document));
  start.setPosition(end, QTextCursor::KeepAnchor);
  auto beginning = std::make_unique<QTextDocument>();
  QTextCursor(beginning.get()).insertFragment(start.selection());
  beginning->rootFrame()->setFrameFormat(document.rootFrame()->frameFormat());
  beginning->setIndentWidth(document.indentWidth());
  beginning->setDefaultTextOption(document.defaultTextOption());
  beginning->setDefaultFont(document.defaultFont());
  beginning->setDefaultStyleSheet(document.defaultStyleSheet());
  beginning->setUseDesignMetrics(document.useDesignMetrics());
  return beginning;
}

bool HasListedFaces(const QTextDocument& document) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    if (FaceBlockPainter::DrawsBlock(block)) return true;
  return false;
}

}  // namespace

PageFrame PageFrame::FromMargins(const QSizeF& paper, int left, int top, int right, int bottom) {
  return {paper,
          QRectF(QPointF(left, top), QPointF(paper.width() - right, paper.height() - bottom))};
}

PageRecorder::PageRecorder(std::unique_ptr<QTextDocument> document, const PageFrame& frame,
                           std::optional<FaceBlockPainter> faces)
    : PageRecorder(std::move(document), frame, std::move(faces), true) {}

PageRecorder::PageRecorder(std::unique_ptr<QTextDocument> document, const PageFrame& frame,
                           std::optional<FaceBlockPainter> faces, bool firstPagesAhead)
    : document_(std::move(document)),
      layoutTimerFilter_(std::make_unique<TimerFilter>()),
      twipDevice_(1, 1, QImage::Format_RGB32),
      frame_(frame) {
  if (faces && HasListedFaces(*document_)) {
    faces_.emplace(faces->ForPages(kTwipsPerInch));
    // A line in listed faces is one line, as its box shows it; its text in
    // the document's face only gives the line its place.
    QTextOption unwrapped = document_->defaultTextOption();
    unwrapped.setWrapMode(QTextOption::NoWrap);
    document_->setDefaultTextOption(unwrapped);
  }
  const int dotsPerMetre = qRound(kTwipsPerInch * kInchesPerMetre);
  twipDevice_.setDotsPerMeterX(dotsPerMetre);
  twipDevice_.setDotsPerMeterY(dotsPerMetre);
  textLength_ = document_->characterCount() - 1;
  block_ = document_->begin();
  aheadBlock_ = block_;
  fallbackBlock_ = block_;
  // Every paragraph gets its fallback before the layout starts, which takes
  // seconds on a long text; its first pages come from its beginning laid out
  // on its own meanwhile. Only plain paragraphs: a table cut off there could
  // lay out otherwise than whole.
  const QTextBlock last = document_->findBlock(kFirstPagesReach);
  const int end = last.position() + last.length() - 1;  // the paragraph's end
  if (firstPagesAhead && last.isValid() && end < textLength_ / 2 &&
      document_->rootFrame()->childFrames().isEmpty())
    firstPages_ = std::unique_ptr<PageRecorder>(
        new PageRecorder(Beginning(*document_, end), frame_, faces_, false));
}

PageRecorder::~PageRecorder() = default;

bool PageRecorder::Step(qint64 budgetMs) {
  QElapsedTimer elapsed;
  elapsed.start();
  // At least one block per step, so that every step gets on.
  do {
    if (done_) break;
    if (LayOutFirstPages() || FallBackAhead() || OpenFacesAhead()) continue;
    if (!layoutSetUp_) {
      SetUpLayout();
    } else if (!block_.isValid()) {
      RecordPage(pageTop_ + frame_.area.height());
      done_ = true;
    } else {
      done_ = PlaceBlockLines();
    }
  } while (elapsed.elapsed() < budgetMs);
  return !done_;
}

void PageRecorder::Finish() {
  while (Step(1000)) {
  }
}

bool PageRecorder::LayOutFirstPages() {
  if (!firstPages_ || firstPagesTaken_) return false;
  if (firstPages_->Step(0)) return true;
  // The last page of the beginning may lack lines of the text that follows.
  // The others stay drawn from the beginning's layout.
  for (int page = 0; page + 1 < firstPages_->PageCount(); ++page) {
    RecordedPage taken = firstPages_->pages_[static_cast<size_t>(page)];
    taken.from = firstPages_.get();
    pages_.push_back(taken);
  }
  firstPagesTaken_ = true;
  return true;
}

// A sheet gives the characters a line's face lacks their fallback only for
// the lines it has drawn; the others would print as boxes. Every paragraph
// gets it before the layout exists: a change of format in a document being
// laid out makes the layout lay out a stretch again at once, opening all its
// faces in one go, and left lines of it out of the pages.
bool PageRecorder::FallBackAhead() {
  if (!fallbackBlock_.isValid()) return false;
  FallBackWhereFaceLacks(fallbackBlock_);
  fallbackBlock_ = fallbackBlock_.next();
  return true;
}

// The document's layout lays out a stretch of text at a time, opening every
// face in it at once; opened a paragraph at a time beforehand, the faces are
// ready and no step of the layout takes long.
bool PageRecorder::OpenFacesAhead() {
  const int reach = layoutSetUp_ ? 2 * kStretch : kFirstStretch;
  if (!aheadBlock_.isValid() || aheadBlock_.position() > block_.position() + reach) return false;
  for (auto fragment = aheadBlock_.begin(); !fragment.atEnd(); ++fragment) {
    const QTextFragment text = fragment.fragment();
    if (formatsOpened_.contains(text.charFormatIndex())) continue;
    formatsOpened_.insert(text.charFormatIndex());
    // The font as the layout resolves it; measuring its text opens its face
    // and the fallback faces the text needs.
    const QFont font(text.charFormat().font(), &twipDevice_);
    QFontMetricsF(font).horizontalAdvance(text.text());
    fonts_.push_back(font);
  }
  aheadBlock_ = aheadBlock_.next();
  return true;
}

void PageRecorder::SetUpLayout() {
  // An empty page size while the layout is made and set up, so that nothing
  // is laid out before it measures in twips (a layout lays out at once what
  // it is made for); then one endless page as wide as the area.
  document_->setPageSize(QSizeF(0, 0));
  QAbstractTextDocumentLayout* layout = document_->documentLayout();
  layout->installEventFilter(layoutTimerFilter_.get());
  layout->setPaintDevice(&twipDevice_);
  document_->setDocumentMargin(0);
  document_->setPageSize(QSizeF(frame_.area.width(), -1));
  layoutSetUp_ = true;
}

bool PageRecorder::PlaceBlockLines() {
  // Asking for the block's place lays the document out up to it.
  const double blockTop = document_->documentLayout()->blockBoundingRect(block_).top();
  const QTextLayout* text = block_.layout();
  const double pageHeight = frame_.area.height();
  for (; line_ < text->lineCount(); ++line_) {
    const QTextLine line = text->lineAt(line_);
    // The first line takes the space above it in its paragraph along.
    const double top = line_ == 0 ? blockTop : blockTop + line.y();
    const double bottom = blockTop + line.y() + line.height();
    const bool firstOnPage = top <= pageTop_ + kFitSlack;
    // A line taller than the page is placed alone on its page, cut off.
    if (firstOnPage || bottom <= pageTop_ + pageHeight + kFitSlack) continue;
    const int next = block_.position() + line.textStart();
    RecordPage(top);
    if (next >= textLength_ || pagesPlaced_ == kMaxPages) return true;
    pageTop_ = top;
    pageStart_ = next;
  }
  line_ = 0;
  block_ = block_.next();
  return false;
}

void PageRecorder::RecordPage(double bottom) {
  // Pages recorded from the beginning are the same; they are not recorded again.
  if (++pagesPlaced_ <= PageCount()) return;
  const double height = std::min(bottom, pageTop_ + frame_.area.height()) - pageTop_;
  pages_.push_back({pageTop_, height, pageStart_, nullptr});
}

void PageRecorder::DrawPage(QPainter& painter, int index) {
  const RecordedPage& page = pages_[static_cast<size_t>(index)];
  (page.from ? page.from : this)->DrawRecorded(painter, page);
}

void PageRecorder::DrawRecorded(QPainter& painter, const RecordedPage& page) {
  painter.save();
  painter.translate(frame_.area.left(), frame_.area.top() - page.top);
  // Lines that only touch the page's edges belong to the pages beside it;
  // drawn clipped they would still be text a reader finds on this page.
  const QRectF shown(0, page.top + kEdgeTwips, frame_.area.width(), page.height - 2 * kEdgeTwips);
  if (faces_)
    DrawBlocks(painter, page, shown);
  else
    document_->drawContents(&painter, shown);
  painter.restore();
}

void PageRecorder::DrawBlocks(QPainter& painter, const RecordedPage& page, const QRectF& shown) {
  painter.setClipRect(shown, Qt::IntersectClip);
  const QAbstractTextDocumentLayout* layout = document_->documentLayout();
  for (QTextBlock block = document_->findBlock(page.start); block.isValid(); block = block.next()) {
    const QRectF place = layout->blockBoundingRect(block);
    if (place.top() >= shown.bottom()) break;
    const QTextLayout* text = block.layout();
    if (place.bottom() <= shown.top() || !text || text->lineCount() == 0) continue;
    if (!FaceBlockPainter::DrawsBlock(block)) {
      text->draw(&painter, QPointF());
      continue;
    }
    const QTextLine first = text->lineAt(0);
    const double baseline = text->position().y() + first.y() + first.ascent() - place.top();
    faces_->Draw(painter, block, QRectF(0, place.top(), shown.width(), place.height()), baseline,
                 document_->defaultFont());
  }
}

}  // namespace qm::gui
