// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The filter field "筛选" above the font-name list: typing narrows the list
// to the families the text finds (by any name, or by pinyin), clearing it
// shows every family again; the chosen family stays chosen throughout. A
// label says how many of how many families are shown. Only the person
// clears the filter, or a search they asked for that found a hidden family.
// Down in the field goes on to the first family shown.

#include <QTimer>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace qm::gui {

class FontNameList;

class FamilyFilter : public QWidget {
  Q_OBJECT
 public:
  explicit FamilyFilter(FontNameList* list, QWidget* parent = nullptr);

  // Hides the entries the field's text does not find, shows the others.
  void Apply();
  int ShownCount() const { return shown_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowMatches(const QString& text);

  FontNameList* list_;
  QLineEdit* field_ = nullptr;
  QLabel* count_ = nullptr;
  QTimer reapply_;  // once after entries were added or removed, however many
  int shown_ = 0;
  bool hiding_ = false;  // entries may be hidden
};

// "显示 12/318": 12 of 318 families shown.
QString ShownCountText(int shown, int total);
// The count after a search cleared the filter to show what it found.
QString RevealedCountText(int shown, int total);

}  // namespace qm::gui
