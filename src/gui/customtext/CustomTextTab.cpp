// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/customtext/CustomTextTab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "gui/common/BaseFormat.h"
#include "gui/common/Icons.h"
#include "gui/common/NamedWidgets.h"
#include "gui/common/TextStyles.h"

namespace qm::gui {
namespace {

const QString kCustomText = QStringLiteral("请在此输入您的文字，看看各种效果！");

}  // namespace

CustomTextTab::CustomTextTab(QWidget* parent) : StyledTextTab(parent) {
  RichTextBox3 = new QTextEdit(this);
  RichTextBox3->setObjectName(QStringLiteral("RichTextBox3"));
  SetBaseFormat(RichTextBox3);
  RichTextBox3->setPlainText(kCustomText);
  RichTextBox3->setLineWrapMode(QTextEdit::NoWrap);
  auto* footer = new QHBoxLayout;
  footer->addWidget(PictureLabel(
      QStringLiteral("Image2"),
      ThemeOrStandardIcon("accessories-text-editor", QStyle::SP_FileDialogDetailedView), this));
  footer->addStretch(1);
  QPushButton* Command2 =
      NamedButton(QStringLiteral("Command2"), QStringLiteral("所有选中字体比较"), this);
  connect(Command2, &QPushButton::clicked, this, &CustomTextTab::CompareRequested);
  footer->addWidget(Command2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(RichTextBox3, 1);
  layout->addLayout(footer);
}

void CustomTextTab::SetFace(const QString& family) { SetWholeTextFace(RichTextBox3, family); }

QString CustomTextTab::CustomText() const { return RichTextBox3->toPlainText(); }

QWidget* CustomTextTab::StyledBox() const { return RichTextBox3; }

}  // namespace qm::gui
