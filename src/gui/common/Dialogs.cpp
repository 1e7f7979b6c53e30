// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/Dialogs.h"

#include <QColorDialog>

namespace qm::gui {
namespace {

MessageHandler& Handler() {
  static MessageHandler handler;
  return handler;
}

ColourChooser& Chooser() {
  static ColourChooser chooser;
  return chooser;
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
  ShowTitledMessage(parent, text, kAppTitle, icon);
}

void ShowTitledMessage(QWidget* parent, const QString& text, const QString& title,
                       QMessageBox::Icon icon) {
  if (Handler()) {
    Handler()({text, icon, title});
    return;
  }
  QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
  box.exec();
}

void SetMessageHandler(MessageHandler handler) { Handler() = std::move(handler); }

QColor ChooseColour(const QColor& initial, QWidget* parent) {
  if (Chooser()) return Chooser()(initial, parent);
  return QColorDialog::getColor(initial, parent);
}

void SetColourChooser(ColourChooser chooser) { Chooser() = std::move(chooser); }

}  // namespace qm::gui
