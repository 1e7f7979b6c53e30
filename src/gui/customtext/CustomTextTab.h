// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The third tab, "自定义": the user's own text, set in the chosen font with
// the characters that font lacks marked, the button that lists the families
// that can set it, and the one that compares it across the selected fonts.

#include "core/platform/CodePointSet.h"
#include "gui/common/StyledTextTab.h"

class QTextEdit;

namespace qm::gui {

class MissingMarks;

class CustomTextTab : public StyledTextTab {
  Q_OBJECT
 public:
  explicit CustomTextTab(QWidget* parent = nullptr);

  // Only the face of the whole text changes; sizes, colours and styles stay.
  void SetFace(const QString& family);
  // The custom text as plain text, paragraphs separated by "\n".
  QString CustomText() const;
  // Marks the characters of the text the chosen family lacks, now and as
  // the text changes.
  void MarkMissing(platform::CodePointSet characters);

 signals:
  // "所有选中字体比较" was pressed.
  void CompareRequested();
  // "能显示的字体": which families can set the text.
  void FamiliesForTextRequested();

 protected:
  QWidget* StyledBox() const override;

 private:
  QTextEdit* RichTextBox3 = nullptr;
  MissingMarks* missingMarks_ = nullptr;
};

}  // namespace qm::gui
