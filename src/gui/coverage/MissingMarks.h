// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Marks the characters of a text box that the chosen family cannot draw,
// with a red wavy underline over a pale red ground. The marks lie over the
// text (extra selections): the text's own formats are not touched, and
// they follow the text as it is edited.

#include <QObject>

#include "core/platform/CodePointSet.h"

class QTextEdit;

namespace qm::gui {

class MissingMarks : public QObject {
  Q_OBJECT
 public:
  explicit MissingMarks(QTextEdit* box);

  // The characters of the family now chosen; the box is marked anew.
  void SetCharacters(platform::CodePointSet characters);
  // How many runs of characters are marked.
  int MarkedRuns() const;

 private:
  void Mark();

  QTextEdit* box_;
  platform::CodePointSet characters_;
  bool known_ = false;  // no family chosen yet: nothing is marked
};

}  // namespace qm::gui
