#include "app/MessageBoxes.h"

namespace qm::app {
namespace {

MessageHandler& Handler() {
  static MessageHandler handler;
  return handler;
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
  if (Handler()) {
    Handler()({text, icon});
    return;
  }
  QMessageBox box(icon, kAppTitle, text, QMessageBox::Ok, parent);
  box.exec();
}

void SetMessageHandler(MessageHandler handler) { Handler() = std::move(handler); }

}  // namespace qm::app
