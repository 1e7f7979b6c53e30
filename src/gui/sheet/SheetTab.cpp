// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/sheet/SheetTab.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtMath>

#include "gui/common/BaseFormat.h"
#include "gui/common/Icons.h"
#include "gui/common/NamedWidgets.h"
#include "gui/sheet/FontSample.h"
#include "gui/sheet/SampleBox.h"
#include "gui/sheet/SampleSheet.h"

namespace qm::gui {
namespace {

const QString kUsageText = QStringLiteral(
    "使用方法：\r\n1、扫描：扫描系统所有字体名称\r\n2、字型：显示所有字体的实际字型");

// The height the one-font sample needs for its five lines: the file's
// name at the base size and four lines at the sample size, laid out as the
// box lays them out (with the faces its Chinese text falls back to).
int SampleHeight(const QTextEdit* box) {
  QTextDocument lines;
  lines.setDocumentMargin(box->document()->documentMargin());
  QTextCursor cursor(&lines);
  const QTextCharFormat base = BaseFormat();
  cursor.insertText(QStringLiteral("文件名：Ag"), base);
  QTextCharFormat sample = base;
  sample.setFontPointSize(kSamplePointSize);
  sample.setFontUnderline(true);
  for (int line = 0; line < 4; ++line) {
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("Ag (下划线体20)"), sample);
  }
  // Lines are not wrapped: a long one brings the horizontal scroll bar.
  return qCeil(lines.size().height()) + 2 * box->frameWidth() +
         box->horizontalScrollBar()->sizeHint().height();
}

// A box to read, select and copy, never to type into; Tab leaves it.
void MakeReadOnly(QTextEdit* box) {
  box->setReadOnly(true);
  box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box->setTabChangesFocus(true);
}

}  // namespace

SheetTab::SheetTab(FaceEngine& engine, ListedFaceFinder& finder, QWidget* parent)
    : StyledTextTab(parent) {
  RichTextBox1 = new SampleBox(engine, finder, this);
  RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
  SetBaseFormat(RichTextBox1);
  RichTextBox1->setLineWrapMode(QTextEdit::NoWrap);
  RichTextBox1->setUndoRedoEnabled(false);  // each sample replaces the last; nothing to undo
  MakeReadOnly(RichTextBox1);
  RichTextBox1->setMinimumHeight(SampleHeight(RichTextBox1));
  sheetModel_ = new SheetModel(this);
  RichTextBox2 = new SheetView(engine, finder, this);
  RichTextBox2->setObjectName(QStringLiteral("RichTextBox2"));
  RichTextBox2->setAccessibleName(QStringLiteral("字型样张"));
  // The sheet's own font, so that the tab's smaller font does not reach it.
  RichTextBox2->setFont(QFont(BaseFaceFamily(), kBasePointSize));
  RichTextBox2->setModel(sheetModel_);
  connect(RichTextBox2, &SheetView::clicked, this,
          [this](const QModelIndex& line) { emit SheetLineClicked(line.row()); });
  Label2 = NamedLabel(QStringLiteral("Label2"), QStringLiteral("0/0"), this);
  // The tab's Song face is for text samples; the count is the interface's.
  Label2->setFont(QApplication::font());
  auto* footer = new QHBoxLayout;
  footer->addWidget(Label2);
  footer->addStretch(1);
  footer->addWidget(DeferredPictureLabel(
      QStringLiteral("Image3"),
      [] { return ThemeOrStandardIcon("text-html", QStyle::SP_FileIcon); }, this));
  QPushButton* Command3 =
      NamedButton(QStringLiteral("Command3"), QStringLiteral("保存为网页文件"), this);
  connect(Command3, &QPushButton::clicked, this, &SheetTab::SaveAsWebPageRequested);
  footer->addWidget(Command3);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(RichTextBox1, 2);
  layout->addWidget(RichTextBox2, 3);
  layout->addLayout(footer);
}

QWidget* SheetTab::StyledBox() const { return RichTextBox2; }

bool SheetTab::SheetEmpty() const { return sheetModel_->rowCount() == 0; }

void SheetTab::AddBelowSample(QWidget* widget) {
  static_cast<QVBoxLayout*>(layout())->insertWidget(1, widget);
}

void SheetTab::ShowUsage() { RichTextBox1->setPlainText(kUsageText); }

void SheetTab::ShowFontEffect(const ListedFamily& family, const QString& file) {
  gui::ShowFontEffect(RichTextBox1, family, file);
}

void SheetTab::BuildSampleSheet(const ListedFamilies& names) {
  sheetModel_->SetFamilies(names);
  Label2->setText(SheetProgressText(names.size(), names.size()));
  // The reader starts at the top: the first Page_Down goes to the second page.
  RichTextBox2->selectionModel()->setCurrentIndex(sheetModel_->index(0),
                                                  QItemSelectionModel::NoUpdate);
  RichTextBox2->scrollToTop();
}

std::unique_ptr<QTextDocument> SheetTab::TextCopy(bool selectedOnly) const {
  if (!selectedOnly)
    return SheetDocument(sheetModel_->Families(), RichTextBox2->Look(), RichTextBox2->font());
  const ListedFamilies selected = RichTextBox2->SelectedFamilies();
  if (selected.isEmpty()) return nullptr;
  return SheetDocument(selected, RichTextBox2->Look(), RichTextBox2->font());
}

void SheetTab::ApplyStyle(TextStyle, bool) { RestyleSheet(); }

void SheetTab::ApplyAlignment(bool) { RestyleSheet(); }

void SheetTab::RestyleSheet() {
  SheetLook look = RichTextBox2->Look();
  look.flags = Flags();
  RichTextBox2->SetLook(look);
}

void SheetTab::ApplyColour(const QColor& colour) {
  SheetLook look = RichTextBox2->Look();
  look.colour = colour;
  RichTextBox2->SetLook(look);
}

void SheetTab::ApplySize(int points) {
  SheetLook look = RichTextBox2->Look();
  look.points = points;
  RichTextBox2->SetLook(look);
}

}  // namespace qm::gui
