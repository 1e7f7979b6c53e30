// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing a tab's text, as the print menu offers it: through the print
// dialog, or in the preview window, drawing listed faces as the screen does.

#include <QTextDocument>
#include <functional>
#include <memory>

class QWidget;

namespace qm::gui {

class FaceEngine;
class ListedFaceFinder;
class StyledTextTab;

class TabPrinting {
 public:
  // currentTab: the tab whose text is printed, asked once the events
  // waiting have run (the menu that asked has closed); none on the file tab.
  using CurrentTab = std::function<const StyledTextTab*()>;
  TabPrinting(FaceEngine& faces, ListedFaceFinder& finder, CurrentTab currentTab, QWidget* owner);

  // Each does nothing without a tab or when its text is only spaces.
  void Print() const;
  // A selection is previewed alone, with its formatting.
  void Preview() const;

 private:
  FaceEngine& faces_;
  ListedFaceFinder& finder_;
  CurrentTab currentTab_;
  QWidget* owner_;
};

}  // namespace qm::gui
