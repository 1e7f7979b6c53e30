// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame of the font-name list: the filter above it, and below it the
// count of the families and the ordinal of the chosen one.

#include <QGroupBox>

class QLabel;

namespace qm::gui {

class FontNameList;

class FontNameFrame : public QGroupBox {
  Q_OBJECT
 public:
  explicit FontNameFrame(QWidget* parent = nullptr);

  FontNameList* List() const { return list_; }
  QLabel* Count() const { return count_; }
  // "第n种字体" for the 0-based row.
  void ShowOrdinal(int row);

 private:
  FontNameList* list_;
  QLabel* count_;
  QLabel* ordinal_;
};

}  // namespace qm::gui
