// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Acting in a modal window as a person does: the test arranges what to do
// once the window is up, then presses what opens it, which returns only
// when the window has closed.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace qm::test {

inline constexpr int kModalWaitMs = 10000;

// Runs act on the modal dialog named name once it is the active modal
// window and ready(dialog) holds. act must close it. A dialog that does not
// come within kModalWaitMs fails the test, and any modal window then shown
// is closed so that the test goes on.
inline void WhenModal(
    const QString& name, std::function<void(QDialog*)> act,
    std::function<bool(QDialog*)> ready = [](QDialog*) { return true; }) {
  auto* poll = new QTimer;
  auto* waited = new int(0);
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [=] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog && dialog->objectName() == name && ready(dialog)) {
      poll->stop();
      poll->deleteLater();
      delete waited;
      act(dialog);
      return;
    }
    if ((*waited += 5) < kModalWaitMs) return;
    ADD_FAILURE() << "no modal window " << name.toStdString();
    poll->stop();
    poll->deleteLater();
    delete waited;
    if (dialog) dialog->reject();
  });
  poll->start();
}

}  // namespace qm::test
