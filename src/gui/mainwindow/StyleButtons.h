// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The toolbar's style buttons and the tab whose text they change: the
// buttons show the tab's styles, and a press changes its whole text.

#include <QColor>
#include <functional>
#include <utility>

#include "gui/common/TextStyles.h"

class QAction;
class QToolBar;
class QWidget;

namespace qm::gui {

class StyledTextTab;

class StyleButtons {
 public:
  // currentTab: the tab whose text the buttons change; none on the file tab.
  StyleButtons(QToolBar* toolbar, std::function<StyledTextTab*()> currentTab)
      : toolbar_(toolbar), currentTab_(std::move(currentTab)) {}

  // The buttons show the tab's styles; the tips name the sheet or the
  // custom text.
  void ShowTabStyles(const StyledTextTab& tab, bool sheet) const;
  // Without a current tab each leaves the text alone.
  void SetWholeTextStyle(const QAction* button, TextStyle style) const;
  void SetAlignment(bool centred) const;
  // A cancelled dialog applies the colour chosen before again, as a style's
  // button applies the style the tab has; black is a colour like another.
  void ChooseTextColour(QWidget* owner);

 private:
  QAction* Button(const char* key) const;

  QToolBar* toolbar_;
  std::function<StyledTextTab*()> currentTab_;
  QColor colour_ = Qt::black;
};

}  // namespace qm::gui
