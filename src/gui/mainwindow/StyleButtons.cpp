// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/StyleButtons.h"

#include <QAction>

#include "gui/common/Dialogs.h"
#include "gui/common/StyledTextTab.h"
#include "gui/mainwindow/CommandBars.h"
#include "gui/mainwindow/Commands.h"

namespace qm::gui {

void StyleButtons::ShowTabStyles(const StyledTextTab& tab, bool sheet) const {
  const TextStyleFlags& flags = tab.Flags();
  Button(keys::kBold)->setChecked(flags.bold);
  Button(keys::kItalic)->setChecked(flags.italic);
  Button(keys::kUnderline)->setChecked(flags.underline);
  Button(flags.centred ? keys::kCentre : keys::kAlignLeft)->setChecked(true);
  for (const TabTip& tip : kTabTips)
    Button(tip.key)->setToolTip(TipWithShortcut(QString::fromUtf8(sheet ? tip.sheet : tip.custom),
                                                Button(tip.key)->shortcut()));
}

void StyleButtons::SetWholeTextStyle(const QAction* button, TextStyle style) const {
  if (StyledTextTab* tab = currentTab_()) tab->SetStyle(style, button->isChecked());
}

void StyleButtons::SetAlignment(bool centred) const {
  Button(centred ? keys::kCentre : keys::kAlignLeft)->setChecked(true);
  StyledTextTab* tab = currentTab_();
  if (!tab) return;
  tab->SetAlignment(centred);
  Button(keys::kUnderline)->setChecked(tab->Flags().underline);
}

void StyleButtons::ChooseTextColour(QWidget* owner) {
  if (const QColor chosen = ChooseColour(colour_, owner); chosen.isValid()) colour_ = chosen;
  if (StyledTextTab* tab = currentTab_()) tab->SetColour(colour_);
}

QAction* StyleButtons::Button(const char* key) const { return ToolbarButton(toolbar_, key); }

}  // namespace qm::gui
