// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/StyledTextTab.h"

namespace qm::gui {

void StyledTextTab::SetStyle(TextStyle style, bool on) {
  SetWholeTextStyle(StyledBox(), style, on);
  switch (style) {
    case TextStyle::Bold:
      flags_.bold = on;
      break;
    case TextStyle::Italic:
      flags_.italic = on;
      break;
    case TextStyle::Underline:
      flags_.underline = on;
      break;
  }
}

void StyledTextTab::SetAlignment(bool centred) {
  if (centred)
    CentreWholeText(StyledBox());
  else
    AlignWholeTextLeft(StyledBox());
  flags_.centred = centred;
}

void StyledTextTab::SetColour(const QColor& colour) { SetWholeTextColour(StyledBox(), colour); }

void StyledTextTab::SetSize(int points) { SetWholeTextSize(StyledBox(), points); }

}  // namespace qm::gui
