// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The comparison window "自定义文字的字体对比-Quillmere": the custom text in
// every family selected in the font-name list, a line each with the
// family's name after it, and a toolbar that saves it as a web page,
// previews it for printing or changes its size. Made once and reused.

#include <QDialog>
#include <functional>

#include "gui/common/CallingForm.h"
#include "gui/common/ListedFamily.h"

class QTextEdit;
class QToolBar;

namespace qm::gui {

// What the comparison reads from the main window, asked at each build.
struct CompareSource {
  std::function<ListedFamilies()> selectedFamilies;  // in the list's order
  std::function<QString()> customText;
  std::function<qint16()> sampleFontSize;
  std::function<void(qint16)> setSampleFontSize;
};

class CompareWindow : public QDialog, public FontSizeTarget {
  Q_OBJECT
 public:
  explicit CompareWindow(CompareSource source, QWidget* parent = nullptr);

  // Shows the window modally and builds the comparison in it, the first
  // lines at once; returns when the window is closed.
  void Compare();
  // Empties the box and writes the heading and one line per selected
  // family; window events run meanwhile. A build started meanwhile, or
  // closing the window, ends it.
  void BuildComparison();
  bool Building() const { return building_; }

  qint16 SampleFontSize() const override;
  void ApplySampleFontSize(qint16 size) override;

  void done(int result) override;

 private:
  void Route(const QString& key);
  void SaveAsWebPage();
  void PrintPreview();
  void OpenFontSizeDialog();

  CompareSource source_;
  int buildGeneration_ = 0;
  bool building_ = false;
  QToolBar* Toolbar1 = nullptr;
  QTextEdit* RichTextBox1 = nullptr;
  QTextEdit* RTB_save = nullptr;
};

}  // namespace qm::gui
