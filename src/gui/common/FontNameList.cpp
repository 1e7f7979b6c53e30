// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/FontNameList.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "core/platform/HanReadings.h"

namespace qm::gui {
namespace {

// One for the program: the readings it has looked up are kept.
platform::HanReadings& Readings() {
  static const std::unique_ptr<platform::HanReadings> readings = platform::CreateHanReadings();
  return *readings;
}

}  // namespace

FontNameList::FontNameList(QWidget* parent) : QListWidget(parent) {
  // A click chooses on release, when the press has both made the entry
  // current and selected it; Ctrl and Shift clicks choose the entry clicked.
  connect(this, &QAbstractItemView::clicked, this, &FontNameList::ChooseClicked);
  const auto changed = [this] {
    searchStale_ = true;
    emit EntriesChanged();
  };
  connect(model(), &QAbstractItemModel::rowsInserted, this, changed);
  connect(model(), &QAbstractItemModel::rowsRemoved, this, changed);
  connect(model(), &QAbstractItemModel::modelReset, this, changed);
  connect(model(), &QAbstractItemModel::dataChanged, this, changed);
}

FontNameList::~FontNameList() {
  // The base class empties the model after this part of the list is gone.
  disconnect(model(), nullptr, this, nullptr);
}

int FontNameList::ChosenRow() const { return chosen_.isValid() ? chosen_.row() : -1; }

QString FontNameList::ChosenName() const {
  const int row = ChosenRow();
  return row >= 0 ? item(row)->text() : QString();
}

ListedFamily FontNameList::ChosenFamily() const {
  const int row = ChosenRow();
  return row >= 0 ? Family(row) : ListedFamily{};
}

ListedFamily FontNameList::Family(int row) const {
  const QListWidgetItem* entry = item(row);
  const QVariant real = entry->data(kRealNameRole);
  return {entry->text(), real.isValid() ? real.toByteArray() : entry->text().toUtf8()};
}

ListedFamilies FontNameList::Families() const {
  ListedFamilies families;
  for (int row = 0; row < count(); ++row) families << Family(row);
  return families;
}

ListedFamilies FontNameList::SelectedFamilies() const {
  ListedFamilies selected;
  for (int row = 0; row < count(); ++row)
    if (item(row)->isSelected()) selected << Family(row);
  return selected;
}

void FontNameList::Choose(int row) {
  if (row < 0 || row >= count()) return;
  setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
  MarkChosen(row);
}

void FontNameList::PrepareSearch() { Readings(); }

const pinyin::FamilySearch& FontNameList::Search() const {
  if (!searchStale_) return search_;
  search_.Clear();
  for (int row = 0; row < count(); ++row) {
    std::vector<std::string> names{Family(row).real.toStdString()};
    for (const QString& other : item(row)->data(kOtherNamesRole).toStringList())
      names.push_back(other.toStdString());
    search_.Add(names, Readings());
  }
  searchStale_ = false;
  return search_;
}

void FontNameList::mousePressEvent(QMouseEvent* event) {
  // The right button only asks for the list's menu; it leaves the selection
  // that the removal and comparison commands act on.
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QListWidget::mousePressEvent(event);
}

void FontNameList::keyPressEvent(QKeyEvent* event) {
  // Arrows, Home/End, pages and typed first letters all move the current
  // entry; whichever key did, the entry it reached is chosen.
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  const int after = currentRow();
  if (after >= 0 && after != before) MarkChosen(after);
}

void FontNameList::keyboardSearch(const QString& search) {
  if (search.isEmpty() || count() == 0) return;
  const bool continued =
      sinceTyped_.isValid() && sinceTyped_.elapsed() < QApplication::keyboardInputInterval();
  typed_ = continued ? typed_ + search : search;
  sinceTyped_.start();
  // The same letter again and again steps through the entries starting with it.
  const bool oneLetter = typed_.count(typed_.front()) == typed_.size();
  const QString wanted = oneLetter ? typed_.left(1) : typed_;
  const int current = std::max(currentRow(), 0);
  // A new letter looks from the next entry on, more letters from the current one.
  const int from = oneLetter ? current + 1 : current;
  for (int step = 0; step < count(); ++step) {
    const int row = (from + step) % count();
    if (!isRowHidden(row) && item(row)->text().startsWith(wanted, Qt::CaseInsensitive)) {
      setCurrentIndex(model()->index(row, 0));
      return;
    }
  }
}

void FontNameList::ChooseClicked(const QModelIndex& index) { MarkChosen(index.row()); }

void FontNameList::MarkChosen(int row) {
  chosen_ = QPersistentModelIndex(model()->index(row, 0));
  emit FamilyChosen(row);
}

}  // namespace qm::gui
