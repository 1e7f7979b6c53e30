// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/compare/CompareWindow.h"

#include <QAction>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/export/HtmlPages.h"
#include "core/system/SampleFontSize.h"
#include "gui/common/BaseFormat.h"
#include "gui/common/FramePump.h"
#include "gui/common/ListedFaces.h"
#include "gui/compare/ComparePrintPreview.h"
#include "gui/compare/WebPageFile.h"
#include "gui/sizedialog/FontSizef.h"

namespace qm::gui {
namespace {

constexpr char kSaveKey[] = "保存为网页";
constexpr char kPreviewKey[] = "打印预览";
constexpr char kSizeKey[] = "字体大小";
constexpr int kNameSize = 10;
constexpr int kDesignSize = 9;

const QString kDesignText = QStringLiteral("请在字体列表中先选择字体种类，可以多选，以便比较。");

QTextCharFormat FaceFormat(const QString& face, int size) {
  QTextCharFormat format;
  SetListedFace(format, face);
  format.setFontPointSize(size);
  return format;
}

QTextCharFormat BaseFaceFormat(int size) {
  QTextCharFormat format = BaseFormat();
  format.setFontPointSize(size);
  return format;
}

}  // namespace

CompareWindow::CompareWindow(CompareSource source, QWidget* parent)
    : QDialog(parent), source_(std::move(source)) {
  setObjectName(QStringLiteral("yh"));
  setWindowTitle(QStringLiteral("自定义文字的字体对比-Quillmere"));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  Toolbar1 = new QToolBar(this);
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
  Toolbar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const char* key : {kSaveKey, kPreviewKey, kSizeKey})
    Toolbar1->addAction(QString::fromUtf8(key))->setObjectName(QString::fromUtf8(key));
  connect(Toolbar1, &QToolBar::actionTriggered, this,
          [this](QAction* button) { Route(button->objectName()); });
  RichTextBox1 = new QTextEdit(this);
  RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
  RichTextBox1->setLineWrapMode(QTextEdit::NoWrap);
  RichTextBox1->setCurrentCharFormat(BaseFaceFormat(kDesignSize));
  RichTextBox1->insertPlainText(kDesignText);
  RTB_save = new QTextEdit(this);
  RTB_save->setObjectName(QStringLiteral("RTB_save"));
  RTB_save->hide();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 0, 10, 10);
  layout->setSpacing(0);
  layout->addWidget(Toolbar1);
  layout->addWidget(RichTextBox1, 1);
  resize(720, 520);
}

void CompareWindow::Compare() {
  building_ = true;  // from now until the build has ended
  QTimer::singleShot(0, this, &CompareWindow::BuildComparison);
  exec();
}

void CompareWindow::done(int result) {
  ++buildGeneration_;  // a build under way stops at its next line
  QDialog::done(result);
}

void CompareWindow::BuildComparison() {
  const int generation = ++buildGeneration_;
  const QString text = source_.customText();
  const ListedFamilies families = source_.selectedFamilies();
  const int size = system::UsableFontSize(source_.sampleFontSize());
  building_ = true;
  RichTextBox1->clear();
  QFont base = RichTextBox1->document()->defaultFont();
  base.setPointSize(size);
  RichTextBox1->document()->setDefaultFont(base);
  QTextCursor cursor(RichTextBox1->document());
  cursor.insertText(QStringLiteral("Quillmere:"), BaseFaceFormat(size));
  RichTextBox1->moveCursor(QTextCursor::Start);
  FramePump pump;
  for (const ListedFamily& family : families) {
    pump.Tick();
    if (generation != buildGeneration_) break;
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock();
    InsertInOwnFace(cursor, text, FaceFormat(family.Face(), size));
    InsertInOwnFace(cursor, u'[' + family.shown + u']', BaseFaceFormat(kNameSize));
  }
  if (generation == buildGeneration_) {
    RichTextBox1->moveCursor(QTextCursor::Start);
    building_ = false;
  }
}

qint16 CompareWindow::SampleFontSize() const { return source_.sampleFontSize(); }

void CompareWindow::ApplySampleFontSize(qint16 size) {
  source_.setSampleFontSize(size);
  BuildComparison();
}

void CompareWindow::Route(const QString& key) {
  if (key == QString::fromUtf8(kSaveKey))
    SaveAsWebPage();
  else if (key == QString::fromUtf8(kPreviewKey))
    PrintPreview();
  else if (key == QString::fromUtf8(kSizeKey))
    OpenFontSizeDialog();
}

void CompareWindow::SaveAsWebPage() {
  const QString file = ChooseWebPageFile(this);
  if (file.isEmpty()) return;
  const QString text = source_.customText();
  WriteWebPage(
      this, file,
      pages::ComparisonPage(PageFamilies(source_.selectedFamilies()), text.toStdU16String()));
}

void CompareWindow::PrintPreview() {
  // The preview reads a copy, so that the comparison shown stays untouched.
  RTB_save->setDocument(RichTextBox1->document()->clone(RTB_save));
  PreviewComparisonPages(RTB_save);
}

void CompareWindow::OpenFontSizeDialog() {
  SetCallingForm(this);
  FontSizef dialog(this);
  dialog.exec();
}

}  // namespace qm::gui
