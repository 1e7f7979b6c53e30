// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window that answers "which of my fonts can set this text?": the
// families of the font-name list that have every character of the custom
// text. Clicking one chooses it in the list, as a click there would.

#include <QDialog>
#include <QVector>

#include "core/platform/Platform.h"

class QListWidget;

namespace qm::gui {

class FontNameList;

// The rows of list whose family has every character of text that needs a glyph.
QVector<int> FamiliesDrawing(const QString& text, const FontNameList* list,
                             platform::Platform& platform);

class FamiliesForText : public QDialog {
  Q_OBJECT
 public:
  FamiliesForText(const QString& text, FontNameList* fontNames, platform::Platform& platform,
                  QWidget* parent = nullptr);

 private:
  FontNameList* fontNames_;
  QVector<int> rows_;  // of fontNames_, by entry of List2
  QListWidget* List2 = nullptr;
};

}  // namespace qm::gui
