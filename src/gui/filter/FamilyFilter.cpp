// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/filter/FamilyFilter.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/common/FontNameList.h"
#include "gui/common/ListSearch.h"

namespace qm::gui {

QString ShownCountText(int shown, int total) {
  return QStringLiteral("显示 %1/%2").arg(shown).arg(total);
}

QString RevealedCountText(int shown, int total) {
  return QStringLiteral("已清除筛选，") + ShownCountText(shown, total);
}

FamilyFilter::FamilyFilter(FontNameList* list, QWidget* parent) : QWidget(parent), list_(list) {
  field_ = new QLineEdit(this);
  field_->setObjectName(QStringLiteral("FilterText"));
  field_->setAccessibleName(QStringLiteral("筛选"));
  field_->setPlaceholderText(QStringLiteral("筛选"));
  field_->setToolTip(QStringLiteral("输入字体名称的一部分，或中文名称的拼音（全拼或首字母）"));
  field_->setClearButtonEnabled(true);
  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("FilterCount"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(field_);
  layout->addWidget(count_);
  connect(field_, &QLineEdit::textChanged, this, &FamilyFilter::Apply);
  field_->installEventFilter(this);

  // A scan adds entries one by one while window events run; a filter in
  // use follows once per pass of the event loop, not once per entry.
  reapply_.setSingleShot(true);
  reapply_.setInterval(0);
  connect(&reapply_, &QTimer::timeout, this, &FamilyFilter::Apply);
  connect(list_, &FontNameList::EntriesChanged, this, [this] {
    if (field_->text().isEmpty())
      Apply();
    else
      reapply_.start();
  });
  // Only the person clears the filter, or a search they asked for that
  // found a family it hides, which the count then says.
  connect(list_, &FontNameList::RevealWanted, this, [this] {
    field_->clear();
    count_->setText(RevealedCountText(shown_, list_->count()));
  });
  Apply();
}

// Down in the field goes on into the list, choosing the first family shown:
// typing a filter and picking a family need no mouse.
bool FamilyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (watched != field_ || event->type() != QEvent::KeyPress ||
      static_cast<QKeyEvent*>(event)->key() != Qt::Key_Down)
    return QWidget::eventFilter(watched, event);
  for (int row = 0; row < list_->count(); ++row) {
    if (list_->isRowHidden(row)) continue;
    list_->setFocus(Qt::TabFocusReason);
    list_->Choose(row);
    break;
  }
  return true;
}

void FamilyFilter::Apply() {
  const QString text = field_->text();
  const bool wasHiding = hiding_;
  if (!text.isEmpty() || hiding_)
    ShowMatches(text);
  else
    shown_ = list_->count();  // nothing is hidden: a new entry only changes the count
  count_->setText(ShownCountText(shown_, list_->count()));
  if (const int chosen = list_->ChosenRow();
      (hiding_ || wasHiding) && chosen >= 0 && !list_->isRowHidden(chosen))
    list_->scrollToItem(list_->item(chosen));
}

void FamilyFilter::ShowMatches(const QString& text) {
  const pinyin::NameQuery query(text.toStdString());
  shown_ = 0;
  for (int row = 0; row < list_->count(); ++row) {
    const bool show = query.IsEmpty() || EntryMatches(list_, row, text, query);
    // Only changes: each one makes the view lay its entries out again.
    if (list_->isRowHidden(row) == show) list_->setRowHidden(row, !show);
    shown_ += show ? 1 : 0;
  }
  hiding_ = !text.isEmpty();
}

}  // namespace qm::gui
