// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tab whose whole text the toolbar restyles: bold, italic, underline,
// alignment and colour apply to all of its box, and the tab remembers which
// styles are on so that the toolbar can show them when the tab comes back.

#include <QWidget>

#include "gui/common/TextStyles.h"

namespace qm::gui {

class StyledTextTab : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;

  const TextStyleFlags& Flags() const { return flags_; }
  // The box holding the tab's text.
  QWidget* TextBox() const { return StyledBox(); }

  void SetStyle(TextStyle style, bool on);
  // Centring leaves the caret at the end of the text, left alignment where it was.
  void SetAlignment(bool centred);
  void SetColour(const QColor& colour);
  void SetSize(int points);

 protected:
  // The box the commands change: a QTextEdit or a QPlainTextEdit.
  virtual QWidget* StyledBox() const = 0;

 private:
  TextStyleFlags flags_;
};

}  // namespace qm::gui
