// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/FaceTextBox.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>

#include "gui/common/FaceText.h"

namespace qm::gui {
namespace {

bool Selected(const QTextCursor& cursor, const QTextBlock& block) {
  return cursor.hasSelection() && cursor.selectionStart() < block.position() + block.length() - 1 &&
         cursor.selectionEnd() > block.position();
}

}  // namespace

FaceTextBox::FaceTextBox(FaceEngine& engine, ListedFaceFinder& finder, bool ownScript,
                         QWidget* parent)
    : QPlainTextEdit(parent),
      painter_(std::make_unique<FaceBlockPainter>(engine, finder, ownScript)) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
}

FaceTextBox::~FaceTextBox() = default;

// As the box draws its own text: each block below the one before, from the
// first one shown; only the text is drawn by the face engine.
void FaceTextBox::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect area = event->rect();
  const QTextCursor cursor = textCursor();
  const qreal margin = document()->documentMargin();
  QPointF offset = contentOffset();
  for (QTextBlock block = firstVisibleBlock(); block.isValid() && offset.y() <= area.bottom();
       block = block.next()) {
    const QRectF place = blockBoundingRect(block).translated(offset);
    if (block.isVisible() && place.intersects(QRectF(area))) {
      if (Selected(cursor, block)) painter.fillRect(place, palette().highlight());
      const QTextLayout* layout = block.layout();
      const qreal baseline =
          layout->lineCount() > 0
              ? layout->position().y() + layout->lineAt(0).y() + layout->lineAt(0).ascent()
              : place.height() * 0.8;
      const QRectF text(offset.x() + margin, place.top(),
                        std::max(viewport()->width() - 2 * margin, place.width() - 2 * margin),
                        place.height());
      painter_->Draw(painter, block, text, baseline, document()->defaultFont());
    }
    offset.ry() += place.height();
  }
}

}  // namespace qm::gui
