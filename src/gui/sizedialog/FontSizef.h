// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog "设置字体大小": one point size picked from a list, with a
// preview. The size chosen becomes the program's sample size, is saved, and
// goes to the window that opened the dialog (CallingForm), which applies it
// to its text.

#include <QDialog>

#include "gui/common/CallingForm.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace qm::gui {

class FontSizef : public QDialog {
  Q_OBJECT
 public:
  explicit FontSizef(QWidget* parent = nullptr);

 private:
  void ChooseStoredSize();
  void ShowPreview();
  void Apply();

  QLabel* Label1 = nullptr;
  QComboBox* Combo1 = nullptr;
  QLabel* Label2 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
};

}  // namespace qm::gui
