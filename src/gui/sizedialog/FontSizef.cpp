// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/sizedialog/FontSizef.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>

#include "core/system/SampleFontSize.h"
#include "gui/common/BaseFormat.h"
#include "gui/common/NamedWidgets.h"

namespace qm::gui {
namespace {

const QStringList kSizes = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                            "20", "22", "24", "26", "28", "36", "48", "72"};

void SaveSampleFontSize(qint16 size) {
  QSettings settings;
  settings.beginGroup(QString::fromUtf8(system::kSettingsSection));
  settings.setValue(QString::fromUtf8(system::kFontSizeKey), QString::number(size));
}

// Room for the preview at the sizes most used; larger ones scroll.
constexpr QSize kPreviewRoom(360, 140);

}  // namespace

FontSizef::FontSizef(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FontSizef"));
  setWindowTitle(QStringLiteral("设置字体大小"));
  Label1 = NamedLabel(QStringLiteral("Label1"), QStringLiteral("字体大小："), this);
  Combo1 = new QComboBox(this);
  Combo1->setObjectName(QStringLiteral("Combo1"));
  Combo1->addItems(kSizes);
  Combo1->setMaxVisibleItems(static_cast<int>(kSizes.size()));
  Label2 = NamedLabel(QStringLiteral("Label2"), QStringLiteral("示例ABCabc"), this);
  Label2->setAlignment(Qt::AlignCenter);
  // The preview scrolls inside a room of its own, so that a large size does
  // not grow the window and move its list and buttons under the pointer.
  auto* previewRoom = new QScrollArea(this);
  previewRoom->setObjectName(QStringLiteral("PreviewRoom"));
  previewRoom->setWidget(Label2);
  previewRoom->setWidgetResizable(true);
  previewRoom->setFixedSize(kPreviewRoom);
  Command1 = NamedButton(QStringLiteral("Command1"), QStringLiteral("确定"), this);
  Command1->setDefault(true);
  Command2 = NamedButton(QStringLiteral("Command2"), QStringLiteral("取消"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  auto* layout = new QGridLayout(this);
  layout->addWidget(Label1, 0, 0);
  layout->addWidget(Combo1, 0, 1);
  layout->addWidget(previewRoom, 1, 0, 1, 2);
  layout->addLayout(buttons, 2, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Before a size is chosen the preview shows the base face at the size in use.
  const qint16 current =
      CallingForm() ? CallingForm()->SampleFontSize() : system::kDefaultSampleFontSize;
  Label2->setFont(QFont(BaseFaceFamily(), system::UsableFontSize(current)));
  connect(Combo1, &QComboBox::currentTextChanged, this, &FontSizef::ShowPreview);
  connect(Command1, &QPushButton::clicked, this, &FontSizef::Apply);
  connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
  ChooseStoredSize();
}

// The entry equal to the stored size, or none (the combo then reads empty).
void FontSizef::ChooseStoredSize() {
  const QString stored = QString::number(CallingForm() ? CallingForm()->SampleFontSize()
                                                       : system::kDefaultSampleFontSize);
  Combo1->setCurrentIndex(Combo1->findText(stored, Qt::MatchExactly));
}

void FontSizef::ShowPreview() {
  bool isNumber = false;
  const int size = Combo1->currentText().toInt(&isNumber);
  if (!isNumber) return;
  QFont font = Label2->font();
  font.setPointSize(system::UsableFontSize(size));
  Label2->setFont(font);
}

void FontSizef::Apply() {
  Command1->setEnabled(false);  // the rebuild it starts lets events run
  FontSizeTarget* target = CallingForm();
  bool chosen = false;
  const int fromList = Combo1->currentText().toInt(&chosen);
  const int kept = target ? target->SampleFontSize() : system::kDefaultSampleFontSize;
  const auto size = static_cast<qint16>(system::UsableFontSize(chosen ? fromList : kept));
  SaveSampleFontSize(size);
  if (target) target->ApplySampleFontSize(size);
  accept();
}

}  // namespace qm::gui
