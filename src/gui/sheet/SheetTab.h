// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first tab, "字型列表": the sample of the chosen font above, the sample
// sheet of every font below, the sheet's progress and its web-page button.

#include "gui/common/ListedFamily.h"
#include "gui/common/StyledTextTab.h"

class QLabel;
class QTextEdit;

namespace qm::gui {

class FaceEngine;
class ListedFaceFinder;
class SheetModel;
class SheetView;

class SheetTab : public StyledTextTab {
  Q_OBJECT
 public:
  // Both boxes draw the families' faces with engine, found by finder.
  SheetTab(FaceEngine& engine, ListedFaceFinder& finder, QWidget* parent = nullptr);

  void ShowUsage();
  // Places widget right below the sample of one font.
  void AddBelowSample(QWidget* widget);
  // The sample of one family, registered as file (empty when it is not).
  void ShowFontEffect(const ListedFamily& family, const QString& file);
  // One line per family, in the families' order.
  void BuildSampleSheet(const ListedFamilies& names);
  bool SheetEmpty() const;
  std::unique_ptr<QTextDocument> TextCopy(bool selectedOnly) const override;

 signals:
  // A line of the sheet was clicked.
  void SheetLineClicked(int line);
  // "保存为网页文件" was pressed.
  void SaveAsWebPageRequested();

 protected:
  QWidget* StyledBox() const override;
  void ApplyStyle(TextStyle style, bool on) override;
  void ApplyAlignment(bool centred) override;
  void ApplyColour(const QColor& colour) override;
  void ApplySize(int points) override;

 private:
  // The sheet takes the tab's styles.
  void RestyleSheet();

  QTextEdit* RichTextBox1 = nullptr;
  SheetModel* sheetModel_ = nullptr;
  SheetView* RichTextBox2 = nullptr;
  QLabel* Label2 = nullptr;
};

}  // namespace qm::gui
