// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windows that can open the font size dialog (the main window and the
// comparison), and which of them opened it last, for the whole program.

#include <QtGlobal>

namespace qm::gui {

class FontSizeTarget {
 public:
  // A window that goes is no longer the one that opened the dialog.
  virtual ~FontSizeTarget();
  virtual qint16 SampleFontSize() const = 0;
  // The size is saved already; the window shows its text at that size.
  virtual void ApplySampleFontSize(qint16 size) = 0;
};

FontSizeTarget* CallingForm();
void SetCallingForm(FontSizeTarget* form);

}  // namespace qm::gui
