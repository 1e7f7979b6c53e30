// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/sheet/SampleBox.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include "gui/common/FaceText.h"

namespace qm::gui {

SampleBox::SampleBox(FaceEngine& engine, ListedFaceFinder& finder, QWidget* parent)
    : QTextEdit(parent), painter_(std::make_unique<FaceBlockPainter>(engine, finder, true)) {}

SampleBox::~SampleBox() = default;

// Each block where the document's layout puts it, its text drawn by the
// face engine; the sample is a few lines, all drawn.
void SampleBox::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect area = event->rect();
  const QPointF scrolled(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
  QAbstractTextDocumentLayout* documentLayout = document()->documentLayout();
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    const QRectF place = documentLayout->blockBoundingRect(block).translated(scrolled);
    if (place.top() > area.bottom()) break;
    const QTextLayout* layout = block.layout();
    if (place.bottom() < area.top() || !layout || layout->lineCount() == 0) continue;
    const QTextLine first = layout->lineAt(0);
    const QRectF text(place.left() + first.x(), place.top(),
                      std::max<qreal>(viewport()->width(), place.width()) - first.x(),
                      place.height());
    painter_->Draw(painter, block, text, first.y() + first.ascent(), document()->defaultFont());
  }
}

}  // namespace qm::gui
