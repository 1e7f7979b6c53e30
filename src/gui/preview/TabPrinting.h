// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing a tab's text, as the print menu offers it: through the print
// dialog, or in the preview window, drawing listed faces as the screen does.

#include <QTextDocument>
#include <memory>

class QWidget;

namespace qm::gui {

class FaceEngine;
class ListedFaceFinder;
class StyledTextTab;

class TabPrinting {
 public:
  TabPrinting(FaceEngine& faces, ListedFaceFinder& finder, QWidget* owner);

  // Each does nothing without a tab or when its text is only spaces.
  void Print(const StyledTextTab* tab) const;
  // A selection is previewed alone, with its formatting.
  void Preview(const StyledTextTab* tab) const;

 private:
  FaceEngine& faces_;
  ListedFaceFinder& finder_;
  QWidget* owner_;
};

}  // namespace qm::gui
