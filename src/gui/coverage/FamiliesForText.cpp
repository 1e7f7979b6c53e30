// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/coverage/FamiliesForText.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/coverage/ChineseCoverage.h"
#include "gui/common/FontNameList.h"
#include "gui/common/ListSearch.h"

namespace qm::gui {

QVector<int> FamiliesDrawing(const QString& text, const FontNameList* list,
                             platform::Platform& platform) {
  const QList<uint> units = text.toUcs4();
  std::u32string characters(units.begin(), units.end());
  const std::vector<char32_t> needed = coverage::CharactersToDraw(characters);
  QVector<int> rows;
  for (int row = 0; row < list->count(); ++row)
    if (coverage::DrawsAll(platform.CharactersOf(list->Family(row).real.toStdString()), needed))
      rows << row;
  return rows;
}

FamiliesForText::FamiliesForText(const QString& text, FontNameList* fontNames,
                                 platform::Platform& platform, QWidget* parent)
    : QDialog(parent), fontNames_(fontNames), rows_(FamiliesDrawing(text, fontNames, platform)) {
  setObjectName(QStringLiteral("FamiliesForText"));
  setWindowTitle(QStringLiteral("能显示自定义文字的字体"));
  auto* summary = new QLabel(QStringLiteral("%1 种字体（共 %2 种）有自定义文字的全部字符：")
                                 .arg(rows_.size())
                                 .arg(fontNames_->count()),
                             this);
  summary->setObjectName(QStringLiteral("Label1"));
  List2 = new QListWidget(this);
  List2->setObjectName(QStringLiteral("List2"));
  for (int row : rows_) List2->addItem(fontNames_->item(row)->text());
  connect(List2, &QListWidget::clicked, this,
          [this](const QModelIndex& index) { ChooseFound(fontNames_, rows_.value(index.row())); });
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary);
  layout->addWidget(List2, 1);
  layout->addWidget(buttons);
  resize(420, 480);
}

}  // namespace qm::gui
