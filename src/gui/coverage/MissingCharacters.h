// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window "缺字": the characters of a chosen standard that a family
// lacks, as text that can be selected and copied.

#include <QDialog>
#include <vector>

#include "core/coverage/ChineseCoverage.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;

namespace qm::gui {

class MissingCharacters : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kPerLine = 50;

  MissingCharacters(const QString& family, const platform::CodePointSet& characters,
                    const std::vector<coverage::Standard>& standards, QWidget* parent = nullptr);

  // Lists what the family lacks of the standard at index.
  void ShowStandard(int index);

 private:
  const platform::CodePointSet& characters_;
  const std::vector<coverage::Standard>& standards_;
  QComboBox* standardChoice_ = nullptr;
  QLabel* count_ = nullptr;
  QPlainTextEdit* missing_ = nullptr;
};

// The characters, kPerLine to a line.
QString MissingText(const std::vector<char32_t>& missing);

}  // namespace qm::gui
