// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/sheet/SampleSheet.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include "gui/common/FramePump.h"
#include "gui/common/ListedFaces.h"

namespace qm::gui {
namespace {

QTextCharFormat LineFormat(const QString& face, const TextStyleFlags& style) {
  QTextCharFormat format;
  SetListedFace(format, face);
  format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(style.italic);
  format.setFontUnderline(style.underline);
  return format;
}

// Opening a face and shaping the name in it is what laying out a line costs: a few milliseconds
// each, more with more fonts installed. The view lays out the lines it
// shows and, whenever the text changes, those of the last page (to size its
// scroll bar). The builder opens the faces of exactly those lines itself,
// one at a time between frames, so that neither stalls the window; every
// other line's face is opened when the line comes near the screen.
void PrepareLine(QPlainTextEdit* sheet, int line) {
  const QTextBlock block = sheet->document()->findBlockByNumber(line);
  FallBackWhereFaceLacks(block);
  sheet->document()->documentLayout()->blockBoundingRect(block);  // lays the line out
}

// The lines one screen holds, and two more for those partly shown.
qsizetype LinesPerScreen(QPlainTextEdit* sheet) {
  const qreal lineHeight = QFontMetricsF(sheet->document()->defaultFont()).lineSpacing();
  return static_cast<qsizetype>(sheet->viewport()->height() / lineHeight) + 2;
}

}  // namespace

QString SheetProgressText(qsizetype line, qsizetype total) {
  return QStringLiteral("%1/%2").arg(line).arg(total);
}

qsizetype BuildSampleSheet(QPlainTextEdit* sheet, const ListedFamilies& names,
                           const TextStyleFlags& style, QLabel* label, gui::FramePump& pump,
                           const std::function<bool()>& stopRequested) {
  sheet->clear();
  if (style.centred)
    CentreWholeText(sheet);
  else
    AlignWholeTextLeft(sheet);
  const qsizetype total = names.size();
  label->setText(SheetProgressText(total == 0 ? 0 : 1, total));

  const qsizetype screen = LinesPerScreen(sheet);
  QTextCursor cursor(sheet->document());
  cursor.movePosition(QTextCursor::End);
  qsizetype written = 0;
  const auto frame = [&] {
    label->setText(SheetProgressText(written, total));
    pump.Run();
  };
  // The first screen shows as it fills; the rest goes in as one edit, which
  // the view takes note of once, at the end.
  bool inEdit = false;
  while (written < total) {
    const QTextCharFormat format = OwnFaceOnly(LineFormat(names[written].Face(), style));
    if (written >= screen && !inEdit) {
      cursor.beginEditBlock();
      inEdit = true;
    }
    if (written > 0) cursor.insertText(QStringLiteral("\r\n"), format);
    cursor.insertText(names[written].shown, format);
    if (written < screen) PrepareLine(sheet, static_cast<int>(written));
    ++written;
    if (pump.Due()) frame();
    if (stopRequested()) break;
  }
  if (inEdit) {
    for (qsizetype line = std::max(screen, written - screen); line < written; ++line) {
      PrepareLine(sheet, static_cast<int>(line));
      if (pump.Due()) frame();
    }
    cursor.endEditBlock();
  }
  label->setText(SheetProgressText(written, total));
  return written;
}

}  // namespace qm::gui

namespace qm::gui {

SheetFacePrefetcher::SheetFacePrefetcher(QPlainTextEdit* sheet)
    : QObject(sheet), sheet_(sheet), viewport_(sheet->viewport()) {
  idle_.setInterval(0);
  connect(&idle_, &QTimer::timeout, this, &SheetFacePrefetcher::PrefetchSome);
  viewport_->installEventFilter(this);
}

void SheetFacePrefetcher::Restart() {
  prepared_.assign(static_cast<std::size_t>(sheet_->document()->blockCount()), false);
  opened_.assign(prepared_.size(), false);
  openedSinceRelease_ = 0;
  idle_.start();
}

bool SheetFacePrefetcher::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && watched == viewport_) {
    PrepareShown();
    // Each new page is a new place to prepare the lines around.
    if (!idle_.isActive()) idle_.start();
  }
  return false;
}

// A sheet being built is left alone: its builder has the window's time and
// prepares the lines it shows.
bool SheetFacePrefetcher::Tracking() const {
  return sheet_->isEnabled() &&
         static_cast<int>(prepared_.size()) == sheet_->document()->blockCount();
}

// Without word wrap each line is one block, and the view scrolls by lines.
int SheetFacePrefetcher::TopLine() const { return sheet_->verticalScrollBar()->value(); }

void SheetFacePrefetcher::PrepareShown() {
  if (!Tracking()) return;
  // Also after faces were closed elsewhere (by the sample), before any line
  // asks for it by the script of its characters.
  QTextDocument* document = sheet_->document();
  baseFace_ =
      OpenBaseFace(document->begin().begin().fragment().charFormat(), document->defaultFont());
  // Exactly the lines shown, by their laid-out heights: the rest is the
  // idle prefetch's, which does not keep the page from showing.
  const int top = TopLine();
  const int lines = static_cast<int>(prepared_.size());
  qreal height = 0;
  int line = top;
  for (QTextBlock block = document->findBlockByNumber(top);
       block.isValid() && line < lines && height < viewport_->height();
       block = block.next(), ++line) {
    PrepareOnce(line);
    NoteOpened(line);  // also when prepared before: it opens its faces again to be drawn
    height += document->documentLayout()->blockBoundingRect(block).height();
  }
  shownLines_ = line - top;
}

// The lines a page step moves by, about: those shown last, or the estimate
// by the base face before anything was shown.
int SheetFacePrefetcher::PageLines() const {
  return std::max(static_cast<int>(LinesPerScreen(sheet_)), shownLines_ + 1);
}

void SheetFacePrefetcher::NoteOpened(int line) {
  if (opened_[static_cast<std::size_t>(line)]) return;
  opened_[static_cast<std::size_t>(line)] = true;
  ++openedSinceRelease_;
}

bool SheetFacePrefetcher::PrepareOnce(int line) {
  if (prepared_[static_cast<std::size_t>(line)]) return false;
  prepared_[static_cast<std::size_t>(line)] = true;
  NoteOpened(line);
  PrepareLine(sheet_, line);
  return true;
}

bool SheetFacePrefetcher::PrepareNext(int from, int to) {
  for (int line = std::max(from, 0); line < std::min<int>(to, static_cast<int>(prepared_.size()));
       ++line)
    if (PrepareOnce(line)) return true;
  return false;
}

void SheetFacePrefetcher::PrefetchSome() {
  if (!Tracking()) {
    idle_.stop();
    return;
  }
  // Also while the reader keeps paging, when the prefetch never catches up.
  if (openedSinceRelease_ > kLinesBeforeRelease) ReleaseFacesOffScreen();
  const int top = TopLine();
  const int page = PageLines();
  QElapsedTimer turn;
  turn.start();
  while (turn.elapsed() < kTurnMs) {
    // The page shown (after faces were let go), then the next two pages:
    // paging on is what a reader most often does.
    if (!PrepareNext(top, top + 3 * page) && !PrepareNext(top - page, top)) {
      idle_.stop();
      return;
    }
  }
}

// Each line's format keeps the font it was last drawn in, and each laid-out
// line the faces it was shaped with; both hold the faces open. The formats
// give up their fonts when they are resolved against the document's font
// anew, and the lines laid out here give up their faces with their layout;
// the toolkit's cache closes the faces no longer used. The lines near the
// screen are prepared again while the window is idle.
void SheetFacePrefetcher::ReleaseFacesOffScreen() {
  opened_.assign(opened_.size(), false);
  openedSinceRelease_ = 0;
  QTextDocument* document = sheet_->document();
  const QFont font = document->defaultFont();
  std::size_t line = 0;
  for (QTextBlock block = document->begin(); block.isValid() && line < prepared_.size();
       block = block.next(), ++line) {
    if (!prepared_[line]) continue;
    block.layout()->setFont(font);  // lets go of its faces; its text draws by its formats
    block.clearLayout();
  }
  prepared_.assign(prepared_.size(), false);
  document->setDefaultFont(font);
}

}  // namespace qm::gui
