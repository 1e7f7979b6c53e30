// SPDX-License-Identifier: GPL-3.0-or-later
// Printing through a real print system: a private CUPS scheduler whose
// default queue keeps each job, read back with poppler's tools.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <set>

#include "core/platform/linux/LinuxPlatform.h"
#include "gui/common/Dialogs.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/preview/PreviewWindow.h"
#include "gui/preview/RichTextPages.h"
#include "support/FaceAddresses.h"
#include "support/PrivateCups.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace qm::gui {
namespace {

constexpr int kCustomTab = 2;
constexpr int kFileTab = 1;
constexpr qint64 kWaitMs = 60000;  // generous: the machine may be busy

std::string Row(int line) {
  char row[16];
  std::snprintf(row, sizeof row, "Row %03d", line);
  return row;
}

class PrintingTest : public testing::Test {
 protected:
  void SetUp() override {
    SetMessageHandler([this](const Message& message) { messages_.push_back(message); });
  }
  void TearDown() override { SetMessageHandler(nullptr); }

  void StartPrintSystem() {
    cups_ = std::make_unique<test::PrivateCups>();
    if (!cups_->Failure().empty()) GTEST_SKIP() << cups_->Failure();
  }

  template <typename T>
  T* Child(const char* name) {
    T* child = window_.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QTextEdit* CustomText() { return Child<QTextEdit>("RichTextBox3"); }

  void ClickTab(int tab) {
    QTabBar* bar = Child<QTabWidget>("SSTab1")->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
  }
  // The custom text, typed over what the box holds.
  void TypeCustomText(const QString& text) {
    CustomText()->setFocus();
    QTest::keyClick(CustomText(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(CustomText(), Qt::Key_Delete);
    const QStringList lines = text.split(u'\n');
    for (qsizetype line = 0; line < lines.size(); ++line) {
      if (line > 0) QTest::keyClick(CustomText(), Qt::Key_Return);
      QTest::keyClicks(CustomText(), lines[line]);
    }
  }
  // "字型" on the toolbar: the sample sheet of every family.
  void ClickSheet() {
    auto* toolbar = Child<QToolBar>("tbToolBar");
    QAction* sheet = toolbar->findChild<QAction*>("字型", Qt::FindDirectChildrenOnly);
    QTest::mouseClick(toolbar->widgetForAction(sheet), Qt::LeftButton);
  }
  // "打印" on the toolbar, then the item'th entry of its menu by keyboard;
  // whileOpen runs inside whatever modal window the command opens.
  void ChooseFromPrintMenu(int item, std::function<void()> whileOpen = {}) {
    auto* toolbar = Child<QToolBar>("tbToolBar");
    QAction* print = toolbar->findChild<QAction*>("打印", Qt::FindDirectChildrenOnly);
    QTest::mouseClick(toolbar->widgetForAction(print), Qt::LeftButton);
    QMenu* menu = window_.findChild<QMenu*>("打印菜单");
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
    for (int down = 0; down <= item; ++down) QTest::keyClick(menu, Qt::Key_Down);
    if (whileOpen) QTimer::singleShot(0, whileOpen);
    QTest::keyClick(menu, Qt::Key_Return);
  }
  // Polls, without blocking the command that opens a modal window, until
  // ready() holds, then runs act(); gives up after a while, closing what is
  // open so that the test ends.
  std::function<void()> When(std::function<bool()> ready, std::function<void()> act) {
    return [this, ready, act] {
      auto* poll = new QTimer(&window_);
      auto started = std::make_shared<QElapsedTimer>();
      started->start();
      QObject::connect(poll, &QTimer::timeout, poll, [poll, started, ready, act] {
        if (ready()) {
          poll->deleteLater();
          poll->stop();
          act();
        } else if (started->elapsed() > kWaitMs) {
          poll->deleteLater();
          poll->stop();
          ADD_FAILURE() << "the awaited window did not come";
          if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        }
      });
      poll->start(20);
    };
  }
  // Starts, builds the sheet and prints it with "打印" in its preview, no
  // face open before; the jobs the print system got.
  std::vector<std::string> PrintSheetFromItsPreview() {
    window_.Startup();
    ClickSheet();
    windowFaces_.Forget();
    ChooseFromPrintMenu(1, InPreview("btnPreview0"));
    return cups_->WaitForJobs(1);
  }
  static PreviewWindow* OpenPreview() {
    return qobject_cast<PreviewWindow*>(QApplication::activeModalWidget());
  }
  // Inside the preview once its pages are laid out: presses one of its buttons.
  std::function<void()> InPreview(const char* button, int* tabs = nullptr) {
    return When(
        [] {
          return OpenPreview() &&
                 OpenPreview()->findChild<QLabel*>("lblProgress")->text().startsWith("共");
        },
        [this, button, tabs] {
          previewSeen_ = true;
          if (tabs) *tabs = OpenPreview()->findChild<QTabBar*>("tabPreview")->count();
          QTest::mouseClick(OpenPreview()->findChild<QPushButton*>(button), Qt::LeftButton);
        });
  }

  std::vector<Message> messages_;
  bool previewSeen_ = false;
  std::unique_ptr<test::PrivateCups> cups_;
  platform::LinuxPlatform platform_{"zh_CN.UTF-8"};
  FaceEngine windowFaces_;
  MainWindow window_{platform_, windowFaces_};
};

TEST_F(PrintingTest, WithoutAPrinterThePreviewSaysSoAndDoesNotOpen) {
  QTextEdit box(QStringLiteral("Some text"));
  QTimer::singleShot(0, [this] {
    if (QApplication::activeModalWidget()) {
      previewSeen_ = true;
      QApplication::activeModalWidget()->close();
    }
  });
  RenderRichTextPages(&box, *box.document(), 300, 1, 300, 1, 1);
  EXPECT_FALSE(previewSeen_);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, "打印机没有安装或设置错误！");
  EXPECT_EQ(messages_[0].title, "打印机错误");
}

TEST_F(PrintingTest, NothingIsPrintedFromTheFileTabOrFromABoxOfSpaces) {
  // Without a printer, any attempt would at least say so.
  window_.show();
  ClickTab(kCustomTab);
  TypeCustomText("   ");
  ChooseFromPrintMenu(1);
  ChooseFromPrintMenu(0);
  ClickTab(kFileTab);
  ChooseFromPrintMenu(1);
  ChooseFromPrintMenu(0);
  EXPECT_TRUE(messages_.empty());
  ClickTab(kCustomTab);
  TypeCustomText("\n\n");  // line breaks are text
  ChooseFromPrintMenu(1);
  EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(PrintingTest, ThePreviewOfASelectionPrintsOnlyTheSelectionWithItsFacesEmbedded) {
  StartPrintSystem();
  window_.show();
  ClickTab(kCustomTab);
  TypeCustomText("Alpha first line\nBravo second line");
  QTest::keyClick(CustomText(), Qt::Key_Home, Qt::ControlModifier);
  QTest::keyClick(CustomText(), Qt::Key_End, Qt::ShiftModifier);
  int tabs = 0;
  ChooseFromPrintMenu(1, InPreview("btnPreview0", &tabs));
  EXPECT_TRUE(previewSeen_);
  EXPECT_EQ(tabs, 1);
  const std::vector<std::string> jobs = cups_->WaitForJobs(1);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(test::PdfPageCount(jobs[0]), 1);
  const std::string text = test::PdfPageText(jobs[0], 1);
  EXPECT_NE(text.find("Alpha first line"), std::string::npos) << text;
  EXPECT_EQ(text.find("Bravo"), std::string::npos) << text;
  const auto fonts = test::PdfFonts(jobs[0]);
  ASSERT_FALSE(fonts.empty());
  for (const auto& [font, embedded] : fonts) EXPECT_TRUE(embedded) << font;
  EXPECT_TRUE(messages_.empty());
}

TEST_F(PrintingTest, EveryLineIsPrintedOnceInOrderAcrossThePages) {
  StartPrintSystem();
  window_.show();
  ClickTab(kCustomTab);
  QString text;
  for (int line = 0; line < 120; ++line) text += QString::fromStdString(Row(line)) + u'\n';
  CustomText()->setPlainText(text);
  int tabs = 0;
  ChooseFromPrintMenu(1, InPreview("btnPreview0", &tabs));
  const std::vector<std::string> jobs = cups_->WaitForJobs(1);
  ASSERT_EQ(jobs.size(), 1u);
  const int pages = test::PdfPageCount(jobs[0]);
  EXPECT_GT(pages, 1);
  EXPECT_EQ(pages, tabs);
  std::string printed;
  for (int page = 1; page <= pages; ++page) printed += test::PdfPageText(jobs[0], page);
  size_t from = 0;
  for (int line = 0; line < 120; ++line) {
    const std::string row = Row(line);
    const size_t at = printed.find(row, from);
    ASSERT_NE(at, std::string::npos) << row << " missing or out of order";
    EXPECT_EQ(printed.find(row, at + 1), std::string::npos) << row << " printed twice";
    from = at;
  }
}

// The faces printing opens: those of the page's lines, from the files
// fontconfig gives their names.
bool Opened(FaceEngine& engine, const QString& file) {
  const std::vector<FaceAddress> open = engine.OpenFaces();
  return std::any_of(open.begin(), open.end(),
                     [&file](const FaceAddress& face) { return face.file == file; });
}

TEST_F(PrintingTest, EveryLineOfTheSampleSheetIsPrintedInItsOwnFaceAndItsNameIsText) {
  StartPrintSystem();
  const std::vector<std::string> jobs = PrintSheetFromItsPreview();
  ASSERT_EQ(jobs.size(), 1u);
  const std::string text = test::PdfPageText(jobs[0], 1);
  for (const char* family : {"Quillmere Test Sans", "Quillmere Test Serif", "Tom's Type"}) {
    EXPECT_NE(text.find(family), std::string::npos) << family << " in " << text;
    const test::FaceFile face = test::FontconfigFaceFile(QString::fromUtf8(family));
    EXPECT_TRUE(Opened(windowFaces_, face.file)) << family;
  }
  for (const auto& [font, embedded] : test::PdfFonts(jobs[0])) EXPECT_TRUE(embedded) << font;
}

// A face without a letter of its name is printed with its own script beside
// the name, in the face itself; the name stays text.
TEST_F(PrintingTest, AFaceWithoutTheLettersOfItsNamePrintsItsOwnScript) {
  StartPrintSystem();
  const QString naskh = QStringLiteral(QM_TEST_FONTS_DIR "/script/QmNaskh.ttf");
  std::vector<std::string> jobs;
  {
    const test::ScopedFontsConf conf(QM_TEST_FONTS_DIR "/script", {});
    jobs = PrintSheetFromItsPreview();
  }
  ASSERT_EQ(jobs.size(), 1u);
  std::string text;
  for (int page = 1; text.find("Quillmere Naskh") == std::string::npos && page <= 3; ++page)
    text = test::PdfPageText(jobs[0], page);
  EXPECT_NE(text.find("Quillmere Naskh"), std::string::npos) << text;
  EXPECT_TRUE(Opened(windowFaces_, naskh));
}

// What a person sees of the sheet's first page in the preview: its lines, as the page draws.
TEST_F(PrintingTest, ThePreviewShowsTheSheetsFirstPage) {
  StartPrintSystem();
  window_.Startup();
  ClickSheet();
  QImage shown;
  ChooseFromPrintMenu(1, When([] { return OpenPreview() && OpenPreview()->PageCount() > 0; },
                              [&shown] {
                                auto* view = OpenPreview()->findChild<QWidget*>("picChild");
                                shown =
                                    view->grab().toImage().convertToFormat(QImage::Format_RGB32);
                                OpenPreview()->reject();
                              }));
  ASSERT_TRUE(QTest::qWaitFor([&shown] { return !shown.isNull(); }, kWaitMs));
  qsizetype ink = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) ink += shown.pixel(x, y) != qRgb(255, 255, 255);
  EXPECT_GT(ink, 100);
}

TEST_F(PrintingTest, EachCopyIsAJobOfItsOwn) {
  StartPrintSystem();
  window_.show();
  ClickTab(kCustomTab);
  TypeCustomText("Copies");
  ChooseFromPrintMenu(1, When([] { return OpenPreview() != nullptr; },
                              [this] {
                                OpenPreview()->Printer().setCopyCount(3);
                                InPreview("btnPreview0")();
                              }));
  const std::vector<std::string> jobs = cups_->WaitForJobs(3);
  ASSERT_EQ(jobs.size(), 3u);
  for (const std::string& job : jobs) {
    EXPECT_EQ(test::PdfPageCount(job), 1);
    EXPECT_NE(test::PdfPageText(job, 1).find("Copies"), std::string::npos);
  }
}

TEST_F(PrintingTest, AJobThePrintSystemRefusesIsReportedOnce) {
  StartPrintSystem();
  cups_->RefuseJobs();
  window_.show();
  ClickTab(kCustomTab);
  TypeCustomText("Refused");
  ChooseFromPrintMenu(1, When([] { return OpenPreview() != nullptr; },
                              [this] {
                                OpenPreview()->Printer().setCopyCount(2);
                                InPreview("btnPreview0")();
                              }));
  EXPECT_TRUE(previewSeen_);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].title, "Preview - Printing");
  EXPECT_FALSE(messages_[0].text.isEmpty());
}

TEST_F(PrintingTest, ThePrintDialogOpensWithTheSelectionChosenAndPrintsIt) {
  StartPrintSystem();
  window_.show();
  ClickTab(kCustomTab);
  TypeCustomText("Kept line\nLeft out");
  QTest::keyClick(CustomText(), Qt::Key_Home, Qt::ControlModifier);
  QTest::keyClick(CustomText(), Qt::Key_End, Qt::ShiftModifier);
  bool selectionChosen = false;
  bool pageRangeOffered = true;
  const auto dialog = [] { return qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()); };
  ChooseFromPrintMenu(
      0, When([&] { return dialog() != nullptr; },
              [&] {
                selectionChosen = dialog()->printRange() == QAbstractPrintDialog::Selection;
                pageRangeOffered = dialog()->testOption(QAbstractPrintDialog::PrintPageRange);
                QTest::keyClick(dialog(), Qt::Key_Return);
              }));
  EXPECT_TRUE(selectionChosen);
  EXPECT_FALSE(pageRangeOffered);
  const std::vector<std::string> jobs = cups_->WaitForJobs(1);
  ASSERT_EQ(jobs.size(), 1u);
  const std::string text = test::PdfPageText(jobs[0], 1);
  EXPECT_NE(text.find("Kept line"), std::string::npos) << text;
  EXPECT_EQ(text.find("Left out"), std::string::npos) << text;
}

}  // namespace
}  // namespace qm::gui
