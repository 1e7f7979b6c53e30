// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/TrayIcon.h"

#include <QCursor>
#include <QMenu>
#include <QWidget>

namespace qm::gui {

TrayIcon::TrayIcon(QObject* parent) : QObject(parent) {}

void TrayIcon::AddTrayIcon(QWidget* window, QMenu* menu) {
  window_ = window;
  menu_ = menu;
  if (!icon_) {
    icon_ = new QSystemTrayIcon(window->windowIcon(), this);
    connect(icon_, &QSystemTrayIcon::activated, this, &TrayIcon::OnActivated);
  }
  icon_->show();
}

void TrayIcon::SetTrayTip(const QString& text) {
  if (icon_) icon_->setToolTip(text.left(kTipLength));
}

QString TrayIcon::Tip() const { return icon_ ? icon_->toolTip() : QString(); }

void TrayIcon::RemoveTrayIcon() {
  if (!icon_) return;
  icon_->hide();
  delete icon_;
  icon_ = nullptr;
}

void TrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
  if (reason == QSystemTrayIcon::Trigger && window_) {
    window_->showNormal();
    window_->raise();
    window_->activateWindow();
  } else if (reason == QSystemTrayIcon::Context && menu_) {
    menu_->popup(QCursor::pos());
  }
}

}  // namespace qm::gui
