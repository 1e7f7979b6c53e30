// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every message box and common dialog of the program goes through here, so
// that tests can answer them instead of being blocked by them.

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <functional>

namespace qm::gui {

inline const QString kAppTitle = QStringLiteral("Quillmere");

struct Message {
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title = kAppTitle;
};

using MessageHandler = std::function<void(const Message&)>;

// Shows a message with an OK button and the program's title.
void ShowMessage(QWidget* parent, const QString& text,
                 QMessageBox::Icon icon = QMessageBox::NoIcon);
// The same under a title of its own.
void ShowTitledMessage(QWidget* parent, const QString& text, const QString& title,
                       QMessageBox::Icon icon = QMessageBox::NoIcon);

// Replaces the dialog with a handler (tests); an empty handler restores it.
void SetMessageHandler(MessageHandler handler);

// The colour dialog: the chosen colour, or an invalid one when cancelled.
using ColourChooser = std::function<QColor(const QColor& initial, QWidget* parent)>;
QColor ChooseColour(const QColor& initial, QWidget* parent);
void SetColourChooser(ColourChooser chooser);

}  // namespace qm::gui
