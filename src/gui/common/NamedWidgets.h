// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Controls made with the object names tests and people find them by.

#include <QIcon>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;
class QWidget;

namespace qm::gui {

QLabel* NamedLabel(const QString& name, const QString& text, QWidget* parent);
// A label showing a picture, 32 pixels square.
QLabel* PictureLabel(const QString& name, const QIcon& icon, QWidget* parent);
// The same, drawn from icon when the label is first shown: a picture on a
// tab not shown yet costs nothing before.
QLabel* DeferredPictureLabel(const QString& name, std::function<QIcon()> icon, QWidget* parent);
QPushButton* NamedButton(const QString& name, const QString& text, QWidget* parent);

}  // namespace qm::gui
