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
#include "gui/coverage/MissingMarks.h"

namespace qm::gui {
namespace {

const QString kCustomText = QStringLiteral("请在此输入您的文字，看看各种效果！");

}  // namespace

CustomTextTab::CustomTextTab(QWidget* parent) : StyledTextTab(parent) {
  RichTextBox3 = new QTextEdit(this);
  RichTextBox3->setObjectName(QStringLiteral("RichTextBox3"));
  SetBaseFormat(RichTextBox3);
  RichTextBox3->setPlainText(kCustomText);
  // Lines do not wrap, but a paragraph is as wide as the box, so that
  // "置中" has a width to centre it in.
  RichTextBox3->setLineWrapMode(QTextEdit::WidgetWidth);
  RichTextBox3->setWordWrapMode(QTextOption::NoWrap);
  auto* footer = new QHBoxLayout;
  footer->addWidget(DeferredPictureLabel(
      QStringLiteral("Image2"),
      [] {
        return ThemeOrStandardIcon("accessories-text-editor", QStyle::SP_FileDialogDetailedView);
      },
      this));
  footer->addStretch(1);
  QPushButton* families =
      NamedButton(QStringLiteral("Command4"), QStringLiteral("能显示的字体"), this);
  families->setToolTip(QStringLiteral("列出能显示这段文字全部字符的字体"));
  connect(families, &QPushButton::clicked, this, &CustomTextTab::FamiliesForTextRequested);
  footer->addWidget(families);
  QPushButton* Command2 =
      NamedButton(QStringLiteral("Command2"), QStringLiteral("所有选中字体比较"), this);
  connect(Command2, &QPushButton::clicked, this, &CustomTextTab::CompareRequested);
  footer->addWidget(Command2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(RichTextBox3, 1);
  layout->addLayout(footer);
  missingMarks_ = new MissingMarks(RichTextBox3);
}

void CustomTextTab::SetFace(const QString& family) { SetWholeTextFace(RichTextBox3, family); }

void CustomTextTab::MarkMissing(platform::CodePointSet characters) {
  missingMarks_->SetCharacters(std::move(characters));
}

QString CustomTextTab::CustomText() const { return RichTextBox3->toPlainText(); }

QWidget* CustomTextTab::StyledBox() const { return RichTextBox3; }

}  // namespace qm::gui
