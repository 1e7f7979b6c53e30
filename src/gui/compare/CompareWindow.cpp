// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/compare/CompareWindow.h"

#include <QAction>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/export/HtmlPages.h"
#include "core/system/SampleFontSize.h"
#include "gui/common/BaseFormat.h"
#include "gui/common/FaceText.h"
#include "gui/common/FaceTextBox.h"
#include "gui/common/FramePump.h"
#include "gui/compare/WebPageFile.h"
#include "gui/preview/RichTextPages.h"
#include "gui/sizedialog/FontSizef.h"

namespace qm::gui {
namespace {

constexpr char kSaveKey[] = "保存为网页";
constexpr char kPreviewKey[] = "打印预览";
constexpr char kSizeKey[] = "字体大小";
constexpr int kNameSize = 10;
constexpr int kDesignSize = 9;
// The margins of every print preview, in twips, and portrait pages.
constexpr int kPreviewSideMargin = 300;
constexpr int kPreviewEndMargin = 1;
constexpr int kPortraitPages = 1;

const QString kDesignText = QStringLiteral("请在字体列表中先选择字体种类，可以多选，以便比较。");

// Text the box draws in family's face.
QTextCharFormat FaceFormat(const ListedFamily& family, int size) {
  QTextCharFormat format = BaseFormat();
  MarkListedFace(format, family.real);
  format.setFontPointSize(size);
  return format;
}

QTextCharFormat BaseFaceFormat(int size) {
  QTextCharFormat format = BaseFormat();
  format.setFontPointSize(size);
  return format;
}

}  // namespace

CompareWindow::CompareWindow(CompareSource source, FaceEngine& engine, ListedFaceFinder& finder,
                             QWidget* parent)
    : QDialog(parent), source_(std::move(source)), engine_(engine), finder_(finder) {
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
  RichTextBox1 = new FaceTextBox(engine_, finder_, false, this);
  RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
  RichTextBox1->setCurrentCharFormat(BaseFaceFormat(kDesignSize));
  RichTextBox1->insertPlainText(kDesignText);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 0, 10, 10);
  layout->setSpacing(0);
  layout->addWidget(Toolbar1);
  layout->addWidget(RichTextBox1, 1);
  resize(720, 520);
}

void CompareWindow::Compare() {
  stopBuild_ = false;
  building_ = true;  // from now until the build has ended
  QTimer::singleShot(0, this, &CompareWindow::BuildComparison);
  exec();
}

void CompareWindow::done(int result) {
  stopBuild_ = true;  // a build under way stops at its next line
  QDialog::done(result);
}

void CompareWindow::BuildComparison() {
  // The size dialog can be used while a build lets events run; the build
  // under way then starts over, so that only one ever runs.
  if (buildRunning_) {
    restartBuild_ = true;
    return;
  }
  buildRunning_ = building_ = true;
  do {
    restartBuild_ = false;
    BuildOnce();
  } while (restartBuild_ && !stopBuild_);
  buildRunning_ = building_ = false;
}

// The first screen shows as its lines are written, between frames; the rest
// goes in as one edit, which the view takes in at its end. Each line's face
// is opened only when the line is drawn.
void CompareWindow::BuildOnce() {
  const QString text = source_.customText();
  const ListedFamilies families = source_.selectedFamilies();
  const int size = system::UsableFontSize(source_.sampleFontSize());
  const qsizetype screen = FamiliesPerScreen(size, text);
  QTextCursor cursor = StartComparison(size);
  FramePump pump;
  const auto interrupted = [this] { return restartBuild_ || stopBuild_; };
  qsizetype written = 0;
  for (; written < families.size() && !interrupted(); ++written) {
    if (written == screen) cursor.beginEditBlock();
    AppendLine(cursor, text, families[written], size);
    pump.Tick();
  }
  if (written <= screen) return;
  // A build cut short leaves no text for the view to lay out.
  if (interrupted()) cursor.select(QTextCursor::Document);
  cursor.removeSelectedText();
  cursor.endEditBlock();
  RichTextBox1->moveCursor(QTextCursor::Start);
}

QTextCursor CompareWindow::StartComparison(int size) {
  RichTextBox1->clear();
  QFont base = RichTextBox1->document()->defaultFont();
  base.setPointSize(size);
  RichTextBox1->document()->setDefaultFont(base);
  QTextCursor cursor(RichTextBox1->document());
  cursor.insertText(QStringLiteral("Quillmere:"), BaseFaceFormat(size));
  RichTextBox1->moveCursor(QTextCursor::Start);
  return cursor;
}

void CompareWindow::AppendLine(QTextCursor& cursor, const QString& text, const ListedFamily& family,
                               int size) {
  cursor.insertBlock();
  cursor.insertText(text, FaceFormat(family, size));
  cursor.insertText(u'[' + family.shown + u']', BaseFaceFormat(kNameSize));
}

// Generously more families than fit on one screen.
qsizetype CompareWindow::FamiliesPerScreen(int size, const QString& text) const {
  const qreal lineHeight = QFontMetricsF(QFont(BaseFaceFamily(), size)).lineSpacing();
  const auto lines = static_cast<qsizetype>(RichTextBox1->viewport()->height() / lineHeight);
  return (2 * lines + 2) / (text.count(u'\n') + 1) + 1;
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

// The preview lays out a copy of the comparison's text, formatting kept.
void CompareWindow::PrintPreview() {
  const FaceBlockPainter faces(engine_, finder_, false);
  RenderRichTextPages(RichTextBox1, *RichTextBox1->document(), kPreviewSideMargin,
                      kPreviewEndMargin, kPreviewSideMargin, kPreviewEndMargin, kPortraitPages,
                      &faces);
}

void CompareWindow::OpenFontSizeDialog() {
  SetCallingForm(this);
  FontSizef dialog(this);
  dialog.exec();
}

}  // namespace qm::gui
