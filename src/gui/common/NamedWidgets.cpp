// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/NamedWidgets.h"

#include <QLabel>
#include <QPushButton>
#include <utility>

namespace qm::gui {
namespace {

constexpr int kPictureSize = 32;

// Sized for its picture from the start, so that drawing the picture on the
// first show moves nothing.
class Picture : public QLabel {
 public:
  Picture(std::function<QIcon()> icon, QWidget* parent) : QLabel(parent), icon_(std::move(icon)) {}

  QSize sizeHint() const override { return icon_ ? kSize : QLabel::sizeHint(); }
  QSize minimumSizeHint() const override { return icon_ ? kSize : QLabel::minimumSizeHint(); }

 protected:
  void showEvent(QShowEvent* event) override {
    if (icon_) setPixmap(std::exchange(icon_, {})().pixmap(kSize));
    QLabel::showEvent(event);
  }

 private:
  static constexpr QSize kSize{kPictureSize, kPictureSize};
  std::function<QIcon()> icon_;  // until the picture is drawn
};

}  // namespace

QLabel* NamedLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QLabel* PictureLabel(const QString& name, const QIcon& icon, QWidget* parent) {
  QLabel* label = NamedLabel(name, QString(), parent);
  label->setPixmap(icon.pixmap(kPictureSize, kPictureSize));
  return label;
}

QLabel* DeferredPictureLabel(const QString& name, std::function<QIcon()> icon, QWidget* parent) {
  auto* label = new Picture(std::move(icon), parent);
  label->setObjectName(name);
  return label;
}

QPushButton* NamedButton(const QString& name, const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

}  // namespace qm::gui
