// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/sheet/SampleSheet.h"

#include <QElapsedTimer>
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

// Finding a face, and the fallback faces for letters it lacks, is what
// laying out a line costs: a few milliseconds each. The view lays out the
// lines it shows and, whenever the text changes, those of the last page (to
// size its scroll bar). The builder resolves the faces of exactly those
// lines itself, one at a time between frames, so that neither stalls the
// window; every other line is resolved when it is scrolled into view.
void PrepareFace(QPlainTextEdit* sheet, const QTextCharFormat& format, const QString& text) {
  const QFont font = format.font().resolve(sheet->document()->defaultFont());
  QFontMetricsF(font, sheet->viewport()).horizontalAdvance(ReachableText(text, format));
}

// Generously more lines than fit on one screen.
qsizetype LinesPerScreen(QPlainTextEdit* sheet) {
  const qreal lineHeight = QFontMetricsF(sheet->document()->defaultFont()).lineSpacing();
  return 2 * static_cast<qsizetype>(sheet->viewport()->height() / lineHeight) + 2;
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
    const QString& name = names[written].shown;
    const QTextCharFormat format = LineFormat(names[written].Face(), style);
    if (written < screen) {
      PrepareFace(sheet, format, name);
    } else if (!inEdit) {
      cursor.beginEditBlock();
      inEdit = true;
    }
    if (written > 0) cursor.insertText(QStringLiteral("\r\n"), format);
    InsertInOwnFace(cursor, name, format);
    ++written;
    if (pump.Due()) frame();
    if (stopRequested()) break;
  }
  if (inEdit) {
    for (qsizetype line = std::max(screen, written - screen); line < written; ++line) {
      PrepareFace(sheet, LineFormat(names[line].Face(), style), names[line].shown);
      if (pump.Due()) frame();
    }
    cursor.endEditBlock();
  }
  label->setText(SheetProgressText(written, total));
  return written;
}

}  // namespace qm::gui

namespace qm::gui {

SheetFacePrefetcher::SheetFacePrefetcher(QPlainTextEdit* sheet) : QObject(sheet), sheet_(sheet) {
  idle_.setInterval(0);
  connect(&idle_, &QTimer::timeout, this, &SheetFacePrefetcher::PrefetchSome);
  connect(sheet->verticalScrollBar(), &QScrollBar::valueChanged, &idle_,
          qOverload<>(&QTimer::start));
}

void SheetFacePrefetcher::Restart() {
  prepared_.assign(static_cast<std::size_t>(sheet_->document()->blockCount()), false);
  idle_.start();
}

bool SheetFacePrefetcher::PrepareNext(int from, int to) {
  for (int line = std::max(from, 0); line < std::min<int>(to, static_cast<int>(prepared_.size()));
       ++line) {
    if (prepared_[static_cast<std::size_t>(line)]) continue;
    prepared_[static_cast<std::size_t>(line)] = true;
    const QTextBlock block = sheet_->document()->findBlockByNumber(line);
    QTextCursor end(block);
    end.movePosition(QTextCursor::EndOfBlock);
    PrepareFace(sheet_, end.charFormat(), block.text());
    return true;
  }
  return false;
}

void SheetFacePrefetcher::PrefetchSome() {
  // A sheet being built is left alone: its builder has the window's time.
  if (!sheet_->isEnabled() ||
      static_cast<int>(prepared_.size()) != sheet_->document()->blockCount()) {
    idle_.stop();
    return;
  }
  const int top = sheet_->cursorForPosition(QPoint(0, 0)).blockNumber();
  const int bottom =
      sheet_->cursorForPosition(QPoint(0, sheet_->viewport()->height() - 1)).blockNumber();
  const int page = static_cast<int>(LinesPerScreen(sheet_));
  QElapsedTimer turn;
  turn.start();
  while (turn.elapsed() < kTurnMs) {
    if (!PrepareNext(bottom + 1, bottom + 1 + page) && !PrepareNext(top - page, top)) {
      idle_.stop();
      return;
    }
  }
}

}  // namespace qm::gui
