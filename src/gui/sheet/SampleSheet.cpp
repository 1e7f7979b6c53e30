// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/sheet/SampleSheet.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextCursor>
#include <QTextDocument>
#include <QtMath>
#include <algorithm>

#include "gui/common/FaceEngine.h"
#include "gui/common/FaceText.h"

namespace qm::gui {
namespace {

// Space before and after a line, as a text box keeps from its frame.
constexpr int kLineMargin = 4;

// The room a line's picture keeps above and below the line, for glyphs that
// reach beyond it.
int PictureMargin(int lineHeight) { return lineHeight / 4; }

QFont LineFont(const SheetLook& look, const QFont& font) {
  return SheetLineFormat({}, look).font().resolve(font);
}

// Places each line's picture, on the selection's colour when it is selected.
class SheetLineDelegate : public QStyledItemDelegate {
 public:
  explicit SheetLineDelegate(SheetView& view) : QStyledItemDelegate(&view), view_(view) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    if (option.state & QStyle::State_Selected)
      painter->fillRect(option.rect, option.palette.highlight());
    const QImage& picture = view_.LinePicture(index.row());
    const qreal pictureWidth = picture.width() / picture.devicePixelRatio();
    // A centred line is centred in what the reader sees of the sheet.
    const qreal width = std::max<qreal>(option.rect.width(), view_.viewport()->width());
    const qreal x = view_.Look().flags.centred ? option.rect.left() + (width - pictureWidth) / 2
                                               : option.rect.left() + kLineMargin;
    painter->drawImage(QPointF(x, option.rect.top() - PictureMargin(option.rect.height())),
                       picture);
    if (option.state & QStyle::State_HasFocus) {
      QStyleOptionFocusRect focus;
      focus.QStyleOption::operator=(option);
      view_.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, &view_);
    }
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return {std::max(view_.Widest(), view_.viewport()->width()), view_.LineHeight()};
  }

 private:
  SheetView& view_;
};

}  // namespace

QString SheetProgressText(qsizetype line, qsizetype total) {
  return QStringLiteral("%1/%2").arg(line).arg(total);
}

QTextCharFormat SheetLineFormat(const ListedFamily& family, const SheetLook& look) {
  QTextCharFormat format;
  if (!family.real.isEmpty()) MarkListedFace(format, family.real);
  format.setFontWeight(look.flags.bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(look.flags.italic);
  format.setFontUnderline(look.flags.underline);
  format.setFontPointSize(look.points);
  format.setForeground(look.colour);
  return format;
}

std::unique_ptr<QTextDocument> SheetDocument(const ListedFamilies& families, const SheetLook& look,
                                             const QFont& font) {
  auto document = std::make_unique<QTextDocument>();
  document->setDefaultFont(font);
  document->setUndoRedoEnabled(false);
  QTextBlockFormat paragraph;
  paragraph.setAlignment(look.flags.centred ? Qt::AlignHCenter : Qt::AlignLeft);
  QTextCursor cursor(document.get());
  cursor.beginEditBlock();
  cursor.setBlockFormat(paragraph);
  for (qsizetype line = 0; line < families.size(); ++line) {
    if (line > 0) cursor.insertBlock(paragraph);
    cursor.insertText(families[line].shown, SheetLineFormat(families[line], look));
  }
  cursor.endEditBlock();
  return document;
}

void SheetModel::SetFamilies(ListedFamilies families) {
  beginResetModel();
  families_ = std::move(families);
  endResetModel();
}

int SheetModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(families_.size());
}

QVariant SheetModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= families_.size()) return {};
  const ListedFamily& family = families_[index.row()];
  if (role == Qt::DisplayRole) return family.shown;
  if (role == kRealNameRole) return family.real;
  return {};
}

SheetView::SheetView(FaceEngine& engine, ListedFaceFinder& finder, QWidget* parent)
    : QListView(parent),
      faces_(engine, finder, true),
      pictures_(kPictureBytes),
      preparing_(new QTimer(this)) {
  preparing_->setInterval(0);
  connect(preparing_, &QTimer::timeout, this, &SheetView::PrepareNextLine);
  setItemDelegate(new SheetLineDelegate(*this));
  // Every line is as high as the next: the view places them without asking each.
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setResizeMode(QListView::Adjust);
}

void SheetView::SetLook(const SheetLook& look) {
  look_ = look;
  ForgetPictures();
  widest_ = 0;
  scheduleDelayedItemsLayout();
  viewport()->update();
}

void SheetView::reset() {
  widest_ = 0;
  ForgetPictures();
  QListView::reset();
}

void SheetView::ForgetPictures() {
  pictures_.clear();
  plannedFirst_ = -1;
  preparing_->stop();
}

const QImage& SheetView::LinePicture(int row) {
  if (const QImage* kept = pictures_.object(row)) return *kept;
  QImage picture = DrawLinePicture(row);
  NoteLineWidth(picture.width() / picture.devicePixelRatio() + 2 * kLineMargin);
  const qsizetype bytes = std::max<qsizetype>(1, picture.sizeInBytes());
  // A picture larger than all the cache holds is not kept (the cache would
  // delete it at once); it is drawn again when shown again.
  if (bytes > pictures_.maxCost()) {
    unkept_ = std::move(picture);
    return unkept_;
  }
  auto* kept = new QImage(std::move(picture));
  pictures_.insert(row, kept, bytes);
  return *kept;
}

// The line on a transparent picture as high as the line and its margins.
QImage SheetView::DrawLinePicture(int row) {
  const QModelIndex index = model()->index(row, 0);
  const ListedFamily family{index.data(Qt::DisplayRole).toString(),
                            index.data(kRealNameRole).toByteArray()};
  const FaceLine line = faces_.LayOut({{family.shown, SheetLineFormat(family, look_)}}, font());
  const QFontMetricsF metrics(LineFont(look_, font()));
  const int height = LineHeight();
  const qreal ratio = viewport()->devicePixelRatioF();
  // Room on the right for what a last glyph draws beyond its advance.
  const QSizeF size(std::ceil(line.width) + height / 2 + 1, height + 2 * PictureMargin(height));
  QImage picture((size * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
  picture.setDevicePixelRatio(ratio);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  faces_.DrawLine(painter, line, QRectF(QPointF(0, PictureMargin(height)), size),
                  metrics.ascent() + metrics.leading() / 2, false);
  return picture;
}

ListedFamilies SheetView::SelectedFamilies() const {
  QModelIndexList rows = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList{};
  std::sort(rows.begin(), rows.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  ListedFamilies families;
  for (const QModelIndex& row : rows)
    families << ListedFamily{row.data(Qt::DisplayRole).toString(),
                             row.data(kRealNameRole).toByteArray()};
  return families;
}

int SheetView::LineHeight() const {
  return qCeil(QFontMetricsF(LineFont(look_, font())).lineSpacing());
}

void SheetView::NoteLineWidth(qreal width) {
  if (width <= widest_) return;
  widest_ = qCeil(width);
  scheduleDelayedItemsLayout();
}

void SheetView::paintEvent(QPaintEvent* event) {
  QListView::paintEvent(event);
  PlanNextPage();
}

void SheetView::PlanNextPage() {
  const QModelIndex top = indexAt(QPoint(kLineMargin, 1));
  if (!top.isValid()) return;
  const int lines = std::max(1, viewport()->height() / std::max(1, LineHeight()));
  const int first = top.row() + lines;
  if (first == plannedFirst_) return;
  plannedFirst_ = nextToPrepare_ = first;
  lastToPrepare_ = std::min(model()->rowCount() - 1, first + lines);
  // The next page is drawn ahead only where it fits beside the one shown:
  // else it would push out the pictures on the screen.
  const qsizetype perLine = pictures_.isEmpty() ? 0 : pictures_.totalCost() / pictures_.size();
  if (2 * (lines + 1) * perLine > pictures_.maxCost()) return;
  if (nextToPrepare_ <= lastToPrepare_) preparing_->start();
}

void SheetView::PrepareNextLine() {
  if (nextToPrepare_ > lastToPrepare_ || nextToPrepare_ >= model()->rowCount()) {
    preparing_->stop();
    return;
  }
  LinePicture(nextToPrepare_++);
}

void SheetView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopySelectedLines();
  } else if (event->modifiers() == Qt::NoModifier &&
             (event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp)) {
    TurnPage(event->key() == Qt::Key_PageDown);
  } else {
    QListView::keyPressEvent(event);
    return;
  }
  event->accept();
}

// A page key shows the next or last screen of lines, as a reader turns a
// page, and the current line is the first one shown; on the last screen it
// goes to the last line (the first, going back).
void SheetView::TurnPage(bool forward) {
  QScrollBar* bar = verticalScrollBar();
  const int before = bar->value();
  bar->triggerAction(forward ? QAbstractSlider::SliderPageStepAdd
                             : QAbstractSlider::SliderPageStepSub);
  const QModelIndex line = bar->value() != before
                               ? indexAt(QPoint(kLineMargin, 1))
                               : model()->index(forward ? model()->rowCount() - 1 : 0, 0);
  if (line.isValid()) selectionModel()->setCurrentIndex(line, QItemSelectionModel::NoUpdate);
}

void SheetView::CopySelectedLines() const {
  QStringList lines;
  for (const ListedFamily& family : SelectedFamilies()) lines << family.shown;
  if (!lines.isEmpty()) QApplication::clipboard()->setText(lines.join(u'\n'));
}

}  // namespace qm::gui
