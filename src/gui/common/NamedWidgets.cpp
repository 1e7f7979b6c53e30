// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/NamedWidgets.h"

#include <QLabel>
#include <QPushButton>

namespace qm::gui {

QLabel* NamedLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QLabel* PictureLabel(const QString& name, const QIcon& icon, QWidget* parent) {
  QLabel* label = NamedLabel(name, QString(), parent);
  label->setPixmap(icon.pixmap(32, 32));
  return label;
}

QPushButton* NamedButton(const QString& name, const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

}  // namespace qm::gui
