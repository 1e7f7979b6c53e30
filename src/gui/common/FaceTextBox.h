// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A box of lines whose text in listed families (marked with
// kListedFaceProperty) is drawn by the face engine in each family's own
// face: the sample sheet, the comparison. The text and its styles stay rich
// text (what is selected, copied, printed and restyled); only the lines on
// the screen are drawn, so only their faces are opened. Lines are not
// wrapped.

#include <QPlainTextEdit>
#include <memory>

namespace qm::gui {

class FaceEngine;
class ListedFaceFinder;
class FaceBlockPainter;

class FaceTextBox : public QPlainTextEdit {
  Q_OBJECT
 public:
  // ownScript: a face that cannot write its family's name shows a text of
  // its own script after the line (as the sheet, where the line is the name).
  FaceTextBox(FaceEngine& engine, ListedFaceFinder& finder, bool ownScript,
              QWidget* parent = nullptr);
  ~FaceTextBox() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::unique_ptr<FaceBlockPainter> painter_;
};

}  // namespace qm::gui
