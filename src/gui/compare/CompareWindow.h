// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The comparison window "自定义文字的字体对比-Quillmere": the custom text in
// every family selected in the font-name list, a line each with the
// family's name after it, and a toolbar that saves it as a web page,
// previews it for printing or changes its size. Made once and reused.

#include <QDialog>
#include <QTextCursor>
#include <functional>

#include "gui/common/CallingForm.h"
#include "gui/common/ListedFamily.h"

class QPlainTextEdit;
class QToolBar;

namespace qm::gui {

class FaceEngine;
class ListedFaceFinder;

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
  // The families' text is drawn with engine, the faces found by finder.
  CompareWindow(CompareSource source, FaceEngine& engine, ListedFaceFinder& finder,
                QWidget* parent = nullptr);

  // Shows the window modally and builds the comparison in it, the first
  // lines at once; returns when the window is closed.
  void Compare();
  // Empties the box and writes the heading and one line per selected
  // family; window events run meanwhile. A build asked for meanwhile makes
  // it start over; closing the window ends it.
  void BuildComparison();
  bool Building() const { return building_; }

  qint16 SampleFontSize() const override;
  void ApplySampleFontSize(qint16 size) override;

  void done(int result) override;

 private:
  void BuildOnce();
  QTextCursor StartComparison(int size);
  void AppendLine(QTextCursor& cursor, const QString& text, const ListedFamily& family, int size);
  qsizetype FamiliesPerScreen(int size, const QString& text) const;
  void Route(const QString& key);
  void SaveAsWebPage();
  void PrintPreview();
  void OpenFontSizeDialog();

  CompareSource source_;
  FaceEngine& engine_;
  ListedFaceFinder& finder_;
  bool building_ = false;
  bool buildRunning_ = false;
  bool restartBuild_ = false;
  bool stopBuild_ = false;
  QToolBar* Toolbar1 = nullptr;
  // A plain-text box lays out only the lines it shows, so a comparison of
  // every family opens only the faces on the screen.
  QPlainTextEdit* RichTextBox1 = nullptr;
};

}  // namespace qm::gui
