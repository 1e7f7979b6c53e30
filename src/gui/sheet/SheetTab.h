// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first tab, "字型列表": the sample of the chosen font above, the sample
// sheet of every font below, the sheet's progress and its web-page button.

#include <QStringList>
#include <functional>

#include "gui/common/ListedFamily.h"
#include "gui/common/StyledTextTab.h"

class QLabel;
class QPlainTextEdit;
class QTextEdit;

namespace qm::gui {

class FaceEngine;
class ListedFaceFinder;

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
  // Writes one line per name; stopRequested is asked after each line. A
  // build already running is not started again.
  void BuildSampleSheet(const ListedFamilies& names, const std::function<bool()>& stopRequested);
  bool SheetRunning() const { return sheetRunning_; }
  bool SheetEmpty() const;

 signals:
  // A mouse button was released over the sheet; line holds the caret.
  void SheetLineClicked(int line);
  // "保存为网页文件" was pressed.
  void SaveAsWebPageRequested();

 protected:
  QWidget* StyledBox() const override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTextEdit* RichTextBox1 = nullptr;
  QPlainTextEdit* RichTextBox2 = nullptr;
  QLabel* Label2 = nullptr;
  bool sheetRunning_ = false;
};

}  // namespace qm::gui
