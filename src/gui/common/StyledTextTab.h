// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tab whose whole text the toolbar restyles: bold, italic, underline,
// alignment and colour apply to all of its box, and the tab remembers which
// styles are on so that the toolbar can show them when the tab comes back.

#include <QWidget>
#include <memory>

#include "gui/common/TextStyles.h"

class QTextDocument;

namespace qm::gui {

class StyledTextTab : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;

  const TextStyleFlags& Flags() const { return flags_; }

  void SetStyle(TextStyle style, bool on);
  // Centring leaves the caret at the end of the text, left alignment where it was.
  void SetAlignment(bool centred);
  void SetColour(const QColor& colour) { ApplyColour(colour); }
  void SetSize(int points) { ApplySize(points); }

  // The tab's text with its formatting, to print: all of it, or only what
  // is selected (nullptr when nothing is).
  virtual std::unique_ptr<QTextDocument> TextCopy(bool selectedOnly) const;

 protected:
  // The box holding the tab's text: a QTextEdit or a QPlainTextEdit, which
  // the whole-text styles below change unless a tab draws its text otherwise.
  virtual QWidget* StyledBox() const = 0;
  // Flags() holds the new styles when these are called.
  virtual void ApplyStyle(TextStyle style, bool on);
  virtual void ApplyAlignment(bool centred);
  virtual void ApplyColour(const QColor& colour);
  virtual void ApplySize(int points);

 private:
  TextStyleFlags flags_;
};

}  // namespace qm::gui
