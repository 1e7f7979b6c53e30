// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list of family names. One family is "chosen": the entry a person last
// clicked or moved to with the keyboard, or the one a search or the sample
// sheet picked for them. Filling the list, focus arriving in it and a right
// click choose nothing.

#include <QElapsedTimer>
#include <QListWidget>
#include <QPersistentModelIndex>

#include "core/pinyin/PinyinSearch.h"
#include "gui/common/ListedFamily.h"

namespace qm::gui {

class FontNameList : public QListWidget {
  Q_OBJECT
 public:
  explicit FontNameList(QWidget* parent = nullptr);
  ~FontNameList() override;

  // The chosen entry's row, or -1 when none is chosen (also after the list
  // was cleared).
  int ChosenRow() const;
  QString ChosenName() const;  // as shown
  ListedFamily ChosenFamily() const;
  // An entry added as plain text is its own real name.
  ListedFamily Family(int row) const;
  // Every entry's family in the list's order, or only the selected ones'.
  ListedFamilies Families() const;
  ListedFamilies SelectedFamilies() const;

  // Makes row the current and only selected entry and chooses it, also when
  // it already is current.
  void Choose(int row);
  // Asks whatever hides entries to show row again (a search found it hidden).
  void Reveal(int row) { emit RevealWanted(row); }

  // Begins to prepare the pinyin readings of Chinese names (about a second
  // of work on a thread of its own), long before the first search needs them.
  void PrepareSearch();

  // Every entry's names (its real name and its other names, kOtherNamesRole)
  // with their pinyin, made again after the entries changed; entry i is row i.
  const pinyin::FamilySearch& Search() const;

 signals:
  void FamilyChosen(int row);
  // Entries were added, removed or changed; not while the list is destroyed.
  void EntriesChanged();
  void RevealWanted(int row);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Letters typed go to the next shown entry starting with them (the
  // toolkit's search would reach hidden ones too).
  void keyboardSearch(const QString& search) override;

 private:
  void ChooseClicked(const QModelIndex& index);
  void MarkChosen(int row);

  QPersistentModelIndex chosen_;
  QString typed_;  // letters typed in quick succession
  QElapsedTimer sinceTyped_;
  mutable pinyin::FamilySearch search_;
  mutable bool searchStale_ = true;
};

}  // namespace qm::gui
