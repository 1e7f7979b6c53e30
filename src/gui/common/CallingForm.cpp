// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/CallingForm.h"

namespace qm::gui {
namespace {

FontSizeTarget*& Slot() {
  static FontSizeTarget* form = nullptr;
  return form;
}

}  // namespace

FontSizeTarget::~FontSizeTarget() {
  if (Slot() == this) Slot() = nullptr;
}

FontSizeTarget* CallingForm() { return Slot(); }

void SetCallingForm(FontSizeTarget* form) { Slot() = form; }

}  // namespace qm::gui
