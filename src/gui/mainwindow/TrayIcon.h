// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The icon in the desktop's notification area: a left click brings the main
// window back, a right click pops up its menu.

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

class QMenu;
class QWidget;

namespace qm::gui {

class TrayIcon : public QObject {
  Q_OBJECT
 public:
  static constexpr int kTipLength = 64;

  explicit TrayIcon(QObject* parent = nullptr);

  void AddTrayIcon(QWidget* window, QMenu* menu);
  // The tip is cut at kTipLength characters.
  void SetTrayTip(const QString& text);
  void RemoveTrayIcon();

  bool IsAdded() const { return icon_ != nullptr; }
  QString Tip() const;

 private:
  void OnActivated(QSystemTrayIcon::ActivationReason reason);

  QPointer<QWidget> window_;
  QPointer<QMenu> menu_;
  QSystemTrayIcon* icon_ = nullptr;
};

}  // namespace qm::gui
