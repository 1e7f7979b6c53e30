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

}  // namespace

PageFrame PageFrame::FromMargins(const QSizeF& paper, int left, int top, int right, int bottom) {
  return {paper,
          QRectF(QPointF(left, top), QPointF(paper.width() - right, paper.height() - bottom))};
}

PageRecorder::PageRecorder(std::unique_ptr<QTextDocument> document, const PageFrame& frame)
    : PageRecorder(std::move(document), frame, true) {}

PageRecorder::PageRecorder(std::unique_ptr<QTextDocument> document, const PageFrame& frame,
                           bool firstPagesAhead)
    : document_(std::move(document)),
      layoutTimerFilter_(std::make_unique<TimerFilter>()),
      twipDevice_(1, 1, QImage::Format_RGB32),
      frame_(frame) {
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
    firstPages_ =
        std::unique_ptr<PageRecorder>(new PageRecorder(Beginning(*document_, end), frame_, false));
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

std::vector<QPicture> PageRecorder::Pages() const {
  std::vector<QPicture> pictures;
  for (const RecordedPage& page : pages_) pictures.push_back(page.picture);
  return pictures;
}

bool PageRecorder::LayOutFirstPages() {
  if (!firstPages_) return false;
  if (firstPages_->Step(0)) return true;
  // The last page of the beginning may lack lines of the text that follows.
  for (int page = 0; page + 1 < firstPages_->PageCount(); ++page)
    pages_.push_back(firstPages_->pages_[static_cast<size_t>(page)]);
  fonts_ = firstPages_->Fonts();
  firstPages_.reset();
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
  // Pages recorded from the beginning are the same; they are not drawn again.
  if (++pagesPlaced_ <= PageCount()) return;
  RecordedPage page{QPicture(), pageStart_};
  const double height = std::min(bottom, pageTop_ + frame_.area.height()) - pageTop_;
  QPainter painter(&page.picture);
  painter.translate(frame_.area.left(), frame_.area.top() - pageTop_);
  // Lines that only touch the page's edges belong to the pages beside it;
  // drawn clipped they would still be text a reader finds on this page.
  document_->drawContents(
      &painter, QRectF(0, pageTop_ + kEdgeTwips, frame_.area.width(), height - 2 * kEdgeTwips));
  painter.end();
  page.picture.setBoundingRect(QRectF(QPointF(0, 0), frame_.paper).toAlignedRect());
  pages_.push_back(std::move(page));
}

}  // namespace qm::gui
