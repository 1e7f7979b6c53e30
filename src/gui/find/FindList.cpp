// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/find/FindList.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/common/Dialogs.h"
#include "gui/common/FontNameList.h"
#include "gui/common/ListSearch.h"

namespace qm::gui {

FindList::FindList(FontNameList* fontNames, QWidget* parent)
    : QDialog(parent), fontNames_(fontNames) {
  setObjectName(QStringLiteral("FindList"));
  setWindowTitle(QStringLiteral("在字体列表中查找字体名称"));
  auto* prompt = new QLabel(QStringLiteral("请输入您要查找的字体名称（可以是部分）："), this);
  prompt->setObjectName(QStringLiteral("Label1"));
  Text1 = new QLineEdit(this);
  Text1->setObjectName(QStringLiteral("Text1"));
  auto* modeLabel = new QLabel(QStringLiteral("匹配方式："), this);
  modeLabel->setObjectName(QStringLiteral("Label2"));
  Combo1 = new QComboBox(this);
  Combo1->setObjectName(QStringLiteral("Combo1"));
  Combo1->addItems({kPartialMatch, kWholeMatch});
  Combo1->setCurrentIndex(0);
  auto* find = new QPushButton(QStringLiteral("查找"), this);
  find->setObjectName(QStringLiteral("Command1"));
  find->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("取消"), this);
  cancel->setObjectName(QStringLiteral("Command2"));
  connect(find, &QPushButton::clicked, this, &FindList::Find);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QGridLayout(this);
  layout->addWidget(prompt, 0, 0, 1, 2);
  layout->addWidget(Text1, 1, 0, 1, 2);
  layout->addWidget(modeLabel, 2, 0);
  layout->addWidget(Combo1, 2, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(find);
  buttons->addWidget(cancel);
  layout->addLayout(buttons, 3, 0, 1, 2);
}

void FindList::Find() {
  const bool found = Combo1->currentText() == kPartialMatch
                         ? gui::SelectListEntryContaining(Text1->text(), fontNames_)
                         : gui::SelectListEntryExact(Text1->text(), fontNames_);
  if (found)
    accept();
  else
    gui::ShowMessage(this, QStringLiteral("没有找到！"), QMessageBox::Information);
}

}  // namespace qm::gui
