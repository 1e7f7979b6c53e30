// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog that finds a font name, or part of one, in the font-name list
// and makes the first match the current entry.

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace qm::gui {

class FontNameList;

class FindList : public QDialog {
  Q_OBJECT
 public:
  static inline const QString kPartialMatch = QStringLiteral("部分匹配");
  static inline const QString kWholeMatch = QStringLiteral("全部匹配");

  FindList(FontNameList* fontNames, QWidget* parent = nullptr);

  // "查找": closes the dialog on a match, else says so and stays open.
  void Find();

 private:
  FontNameList* fontNames_;
  QLineEdit* Text1 = nullptr;
  QComboBox* Combo1 = nullptr;
};

}  // namespace qm::gui
