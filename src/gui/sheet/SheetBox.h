// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sample sheet's box: a line per family, its text and styles kept as
// rich text (what is selected, copied, printed and restyled), each line
// drawn by the face engine in its family's own face. Only the lines on the
// screen are drawn, so only their faces are opened.

#include <QPlainTextEdit>

namespace qm::gui {

class FaceEngine;
class ListedFaceFinder;
class FaceBlockPainter;

class SheetBox : public QPlainTextEdit {
  Q_OBJECT
 public:
  SheetBox(FaceEngine& engine, ListedFaceFinder& finder, QWidget* parent = nullptr);
  ~SheetBox() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::unique_ptr<FaceBlockPainter> painter_;
};

}  // namespace qm::gui
