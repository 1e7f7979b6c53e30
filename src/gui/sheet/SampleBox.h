// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The box of the one-font sample: rich text whose runs in the family's face
// are drawn by the face engine, as the sheet's lines are.

#include <QTextEdit>
#include <memory>

namespace qm::gui {

class FaceEngine;
class ListedFaceFinder;
class FaceBlockPainter;

class SampleBox : public QTextEdit {
  Q_OBJECT
 public:
  SampleBox(FaceEngine& engine, ListedFaceFinder& finder, QWidget* parent = nullptr);
  ~SampleBox() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::unique_ptr<FaceBlockPainter> painter_;
};

}  // namespace qm::gui
