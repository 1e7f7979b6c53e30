// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/FontNameFrame.h"

#include <QLabel>
#include <QVBoxLayout>

#include "gui/common/BaseFormat.h"
#include "gui/common/FontNameList.h"
#include "gui/common/NamedWidgets.h"
#include "gui/filter/FamilyFilter.h"

namespace qm::gui {
namespace {

QString OrdinalText(int row) { return QStringLiteral("第%1种字体").arg(row + 1); }

FontNameList* CreateList(QWidget* frame) {
  auto* list = new FontNameList(frame);
  list->setObjectName(QStringLiteral("List1"));
  list->setAccessibleName(QStringLiteral("字体列表"));
  QFont listFont(BaseFaceFamily());
  listFont.setPointSizeF(10.5);  // QFont's integer size would make it 10
  list->setFont(listFont);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // Long names scroll into view sideways.
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list->setMinimumWidth(220);
  return list;
}

}  // namespace

FontNameFrame::FontNameFrame(QWidget* parent)
    : QGroupBox(QStringLiteral("系统字体名列表"), parent),
      list_(CreateList(this)),
      count_(NamedLabel(QStringLiteral("Label1"), QStringLiteral("0/0"), this)),
      ordinal_(NamedLabel(QStringLiteral("Label3"), OrdinalText(-1), this)) {
  setObjectName(QStringLiteral("Frame1"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new FamilyFilter(list_, this));
  layout->addWidget(list_, 1);
  layout->addWidget(count_);
  layout->addWidget(ordinal_);
}

void FontNameFrame::ShowOrdinal(int row) { ordinal_->setText(OrdinalText(row)); }

}  // namespace qm::gui
