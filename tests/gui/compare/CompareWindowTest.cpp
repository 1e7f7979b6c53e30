// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <algorithm>

#include "core/export/HtmlPages.h"
#include "gui/common/BaseFormat.h"
#include "gui/common/FaceText.h"
#include "gui/compare/CompareWindow.h"
#include "gui/compare/WebPageFile.h"
#include "support/FaceAddresses.h"
#include "support/Input.h"
#include "support/MainWindowInput.h"
#include "support/ModalDialogs.h"
#include "support/PrivateCups.h"
#include "support/TestEnvironment.h"

namespace qm::gui {
namespace {

// A span of a comparison line in one face and size.
struct Span {
  QString text;
  QString face;
  qreal size;
  bool operator==(const Span&) const = default;
};

// Each paragraph of a comparison as its spans.
using Comparison = std::vector<std::vector<Span>>;

void PrintTo(const Span& run, std::ostream* out) {
  *out << run.text.toStdString() << " in " << run.face.toStdString() << " " << run.size;
}

Comparison Lines(QPlainTextEdit* box) {
  Comparison lines;
  for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
    std::vector<Span> runs;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      // Drawn in a listed family's face where marked so, else in the format's font.
      const QByteArray listed = format.property(kListedFaceProperty).toByteArray();
      const QString face = listed.isEmpty() ? format.fontFamilies().toStringList().value(0)
                                            : QString::fromUtf8(listed);
      if (!runs.empty() && runs.back().face == face && runs.back().size == format.fontPointSize())
        runs.back().text += it.fragment().text();
      else
        runs.push_back({it.fragment().text(), face, format.fontPointSize()});
    }
    lines.push_back(runs);
  }
  return lines;
}

class CompareWindowTest : public test::MainWindowInputTest {
 protected:
  void SetUp() override {
    MainWindowInputTest::SetUp();
    folder_ = QString::fromStdString(
        test::TestEnvironment::Current().FolderForCurrentTest("CompareWindowTest"));
  }
  void TearDown() override {
    SetWebPageFileChooser(nullptr);
    MainWindowInputTest::TearDown();
  }

  // Presses "所有选中字体比较" on the custom tab and acts in the comparison
  // once it is built.
  void Compare(const std::function<void(CompareWindow*)>& act) {
    ClickTab(2);
    test::WhenModal(
        "yh", [&](QDialog* dialog) { act(static_cast<CompareWindow*>(dialog)); },
        [](QDialog* dialog) { return !static_cast<CompareWindow*>(dialog)->Building(); });
    Click(&window, "Command2");
  }
  // The comparison as a person reads it, then closed with Escape.
  Comparison CompareAndRead() {
    Comparison lines;
    Compare([&](CompareWindow* yh) {
      EXPECT_EQ(yh->windowTitle(), "自定义文字的字体对比-Quillmere");
      lines = Lines(ChildOf<QPlainTextEdit>(yh, "RichTextBox1"));
      QTest::keyClick(yh, Qt::Key_Escape);
    });
    return lines;
  }
  static QToolBar* Toolbar(CompareWindow* yh) { return ChildOf<QToolBar>(yh, "Toolbar1"); }
  // "字体大小" in the comparison's toolbar, then size and "确定".
  static void ChangeSizeTo(CompareWindow* yh, const QString& size) {
    test::WhenModal("FontSizef", [size](QDialog* dialog) {
      auto* combo = ChildOf<QComboBox>(dialog, "Combo1");
      combo->setFocus();
      QTest::keyClicks(combo, size);
      Click(dialog, "Command1");
    });
    ClickToolbarButton(Toolbar(yh), "字体大小");
    EXPECT_TRUE(QTest::qWaitFor([yh] { return !yh->Building(); }));
  }
  QString SaveTo(const QString& name) {
    const QString file = folder_ + u'/' + name;
    SetWebPageFileChooser([file](QWidget*) { return file; });
    return file;
  }
  static QByteArray Read(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("(missing)");
  }

  QString folder_;
};

// The base face's family, which the heading and the names are in.
QString Base() { return BaseFaceFamily(); }

TEST_F(CompareWindowTest, EachSelectedFamilyGivesTheTextInItsFaceThenItsNameInSong10) {
  Start();
  test::ClickRow(List(), 1);
  test::ClickRow(List(), 3, Qt::LeftButton, Qt::ControlModifier);
  test::ClickRow(List(), 7, Qt::LeftButton, Qt::ControlModifier);
  TypeCustomText("Hello 你好");
  const Comparison expected = {
      {{"Quillmere:", Base(), 30}},
      {{"Hello 你好", "Quillmere Pair One", 30}, {"[Quillmere Pair One]", Base(), 10}},
      {{"Hello 你好", "Quillmere Test Sans", 30}, {"[Quillmere Test Sans]", Base(), 10}},
      {{"Hello 你好", "Tom's Type", 30}, {"[Tom's Type]", Base(), 10}}};
  EXPECT_EQ(CompareAndRead(), expected);
  EXPECT_TRUE(messages.isEmpty());
}

// What a person sees: each family's line drawn from the file and face
// fontconfig gives its name.
TEST_F(CompareWindowTest, EachLineIsDrawnFromItsFamilysOwnFace) {
  Start();
  test::ClickRow(List(), 1);
  test::ClickRow(List(), 2, Qt::LeftButton, Qt::ControlModifier);
  test::ClickRow(List(), 7, Qt::LeftButton, Qt::ControlModifier);
  TypeCustomText("Hello");
  std::vector<std::vector<FaceAddress>> drawn, expected;
  Compare([&](CompareWindow* yh) {
    auto* box = ChildOf<QPlainTextEdit>(yh, "RichTextBox1");
    for (int line = 1; line < box->document()->blockCount(); ++line) {
      const QByteArray name = box->document()
                                  ->findBlockByNumber(line)
                                  .begin()
                                  .fragment()
                                  .charFormat()
                                  .property(kListedFaceProperty)
                                  .toByteArray();
      const test::FaceFile face = test::FontconfigFaceFile(QString::fromUtf8(name));
      expected.push_back({{face.file, face.index}});
      drawn.push_back(test::FacesDrawingLine(windowFaces, box, line));
    }
    QTest::keyClick(yh, Qt::Key_Escape);
  });
  ASSERT_EQ(expected.size(), 3u);
  EXPECT_EQ(drawn, expected);
  // "Quillmere Pair Two" is a collection's second face.
  EXPECT_TRUE(std::any_of(expected.begin(), expected.end(),
                          [](const auto& faces) { return faces[0].index == 1; }));
}

TEST_F(CompareWindowTest, TheFirstFamilyAloneIsCompared) {
  Start();
  test::ClickRow(List(), 0);
  TypeCustomText("x");
  const Comparison expected = {{{"Quillmere:", Base(), 30}},
                               {{"x", "测试黑体", 30}, {"[测试黑体]", Base(), 10}}};
  EXPECT_EQ(CompareAndRead(), expected);
}

TEST_F(CompareWindowTest, WithNoFamilySelectedOnlyTheHeadingShows) {
  Start();
  test::ClickRow(List(), 2);
  test::ClickRow(List(), 2, Qt::LeftButton, Qt::ControlModifier);  // deselects it
  ASSERT_TRUE(List()->selectedItems().isEmpty());
  const Comparison expected = {{{"Quillmere:", Base(), 30}}};
  EXPECT_EQ(CompareAndRead(), expected);
}

TEST_F(CompareWindowTest, SeveralParagraphsSpreadOverLinesAndOnlyTheLastHasTheName) {
  Start("12");
  test::ClickRow(List(), 4);
  test::ClickRow(List(), 5, Qt::LeftButton, Qt::ShiftModifier);
  TypeCustomText("one\ntwo");
  const Comparison expected = {
      {{"Quillmere:", Base(), 12}},
      {{"one", "Quillmere Test Sans Light", 12}},
      {{"two", "Quillmere Test Sans Light", 12}, {"[Quillmere Test Sans Light]", Base(), 10}},
      {{"one", "Quillmere Test Serif", 12}},
      {{"two", "Quillmere Test Serif", 12}, {"[Quillmere Test Serif]", Base(), 10}}};
  EXPECT_EQ(CompareAndRead(), expected);
}

TEST_F(CompareWindowTest, ItsSizeButtonRebuildsTheComparisonAtTheSizeChosen) {
  Start();
  test::ClickRow(List(), 0);
  test::ClickRow(List(), 6, Qt::LeftButton, Qt::ControlModifier);
  TypeCustomText("Aa");
  Comparison lines;
  Compare([&](CompareWindow* yh) {
    ChangeSizeTo(yh, "12");
    lines = Lines(ChildOf<QPlainTextEdit>(yh, "RichTextBox1"));
    QTest::keyClick(yh, Qt::Key_Escape);
  });
  const Comparison expected = {{{"Quillmere:", Base(), 12}},
                               {{"Aa", "测试黑体", 12}, {"[测试黑体]", Base(), 10}},
                               {{"Aa", "Sun & Moon", 12}, {"[Sun & Moon]", Base(), 10}}};
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(window.SampleFontSize(), 12);
  EXPECT_EQ(QSettings().value("设置/字体大小").toString(), "12");
}

TEST_F(CompareWindowTest, AComparisonLongerThanItsWindowHasEveryLine) {
  Start();
  test::ClickRow(List(), 0);
  test::ClickRow(List(), 7, Qt::LeftButton, Qt::ShiftModifier);
  TypeCustomText("Ab");
  QStringList lines;
  Compare([&](CompareWindow* yh) {
    // Two lines of the window's height: most lines are written off the screen.
    yh->resize(400, 120);
    QTest::qWait(0);
    ChangeSizeTo(yh, "36");
    lines = ChildOf<QPlainTextEdit>(yh, "RichTextBox1")->toPlainText().split(u'\n');
    QTest::keyClick(yh, Qt::Key_Escape);
  });
  QStringList expected = {"Quillmere:"};
  for (int row = 0; row < List()->count(); ++row)
    expected << "Ab[" + List()->item(row)->text() + "]";
  EXPECT_EQ(lines, expected);
}

TEST_F(CompareWindowTest, ItsPrintPreviewPrintsEveryLineOfTheComparison) {
  const test::PrivateCups cups;
  if (!cups.Failure().empty()) GTEST_SKIP() << cups.Failure();
  Start();
  test::ClickRow(List(), 1);
  test::ClickRow(List(), 3, Qt::LeftButton, Qt::ShiftModifier);
  TypeCustomText("Compared");
  bool previewSeen = false;
  Compare([&](CompareWindow* yh) {
    // Printing from the preview once its pages are laid out closes it.
    test::WhenModal(
        "frmPreview",
        [&](QDialog* preview) {
          previewSeen = true;
          Click(preview, "btnPreview0");
        },
        [](QDialog* preview) {
          return ChildOf<QLabel>(preview, "lblProgress")->text().startsWith("共");
        });
    ClickToolbarButton(Toolbar(yh), "打印预览");
    QTest::keyClick(yh, Qt::Key_Escape);
  });
  ASSERT_TRUE(previewSeen);
  const std::vector<std::string> jobs = cups.WaitForJobs(1);
  ASSERT_EQ(jobs.size(), 1u);
  // The test fonts' base face has no punctuation, so the colon and brackets print
  // as empty boxes; the reader gives the faces' texts first, then the names.
  const std::string printed = test::PdfPageText(jobs[0], 1);
  EXPECT_EQ(printed.find("Quillmere\n"), 0u) << printed;
  std::size_t from = 0;
  for (int line = 0; line < 3; ++line) {
    from = printed.find("Compared", from + 1);
    ASSERT_NE(from, std::string::npos) << "line " << line << " in " << printed;
  }
  for (const char* name : {"Quillmere Pair One", "Quillmere Pair Two", "Quillmere Test Sans"}) {
    from = printed.find(name, from);
    EXPECT_NE(from, std::string::npos) << name << " is not in order in " << printed;
  }
}

TEST_F(CompareWindowTest, SaveAsWebPageWritesTheComparisonAtSize40) {
  Start();
  test::ClickRow(List(), 6);
  test::ClickRow(List(), 7, Qt::LeftButton, Qt::ControlModifier);
  TypeCustomText("<b>&\n2");
  const QString file = SaveTo("comparison.htm");
  Compare([&](CompareWindow* yh) {
    ClickToolbarButton(Toolbar(yh), "保存为网页");
    QTest::keyClick(yh, Qt::Key_Escape);
  });
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages.front().text, "保存完毕！");
  EXPECT_EQ(messages.front().icon, QMessageBox::Information);
  const QByteArray page = Read(file);
  EXPECT_TRUE(page.contains("<p><font face='Sun &amp; Moon' size=40>&lt;b&gt;&amp;\r\n2</font>"));
  EXPECT_TRUE(page.contains("[Tom&#39;s Type]</font></p>\r\n"));
  EXPECT_EQ(page.toStdString(),
            pages::ComparisonPage({{u"Sun & Moon", u"Sun & Moon"}, {u"Tom's Type", u"Tom's Type"}},
                                  u"<b>&\r\n2"));
}

TEST_F(CompareWindowTest, AFailedSaveSaysWhyAndACancelledOneNothing) {
  Start();
  test::ClickRow(List(), 0);
  const QString file = SaveTo("missing/comparison.htm");
  Compare([&](CompareWindow* yh) {
    ClickToolbarButton(Toolbar(yh), "保存为网页");
    SetWebPageFileChooser([](QWidget*) { return QString(); });
    ClickToolbarButton(Toolbar(yh), "保存为网页");
    QTest::keyClick(yh, Qt::Key_Escape);
  });
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages.front().text, "保存失败：文件夹不存在\r\n" + file);
  EXPECT_EQ(messages.front().icon, QMessageBox::Warning);
}

TEST_F(CompareWindowTest, TheSheetTabSavesEveryFamilyOnceTheSheetIsBuilt) {
  Start("14");
  const QString file = SaveTo("all.htm");
  Click(&window, "Command3");  // an empty sheet: nothing happens
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_FALSE(QFile::exists(file));

  test::PressToolbarButton(window, 2);  // 字型
  Click(&window, "Command3");
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages.front().text, "保存完毕！");
  const QByteArray page = Read(file);
  EXPECT_TRUE(page.startsWith("<head><META http-equiv=Content-Type"));
  EXPECT_TRUE(
      page.contains("<p><font face='Quillmere Pair One' size=14>Quillmere Pair One</font>"
                    "</p>\r\n"));
  EXPECT_TRUE(
      page.endsWith("<p><font face='Tom&#39;s Type' size=14>Tom&#39;s Type</font></p>\r\n"));
  EXPECT_EQ(page.count("<p><font face='"), 8);
}

}  // namespace
}  // namespace qm::gui
