// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>

#include "gui/preview/PreviewWindow.h"
#include "gui/printing/LineDocuments.h"
#include "gui/printing/PagePrinting.h"
#include "gui/printing/PageRecorder.h"
#include "support/PrivateCups.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace qm::gui {
namespace {

constexpr int kMargin = 100;

class PreviewWindowTest : public testing::Test {
 protected:
  // A preview of count lines on pages of the given paper, printing to a PDF file.
  void Open(const QSizeF& paper, int lines) {
    auto printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(pdf_));
    window_ = std::make_unique<PreviewWindow>(std::move(printer));
    const PageFrame frame = PageFrame::FromMargins(paper, kMargin, kMargin, kMargin, kMargin);
    window_->SizePreview(paper);
    window_->LayOutPages(test::EvenLines(lines, 0), frame);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    ASSERT_TRUE(QTest::qWaitFor([this] { return window_->LaidOut(); }));
    QCoreApplication::processEvents();
  }

  template <typename T>
  T* Child(const char* name) {
    T* child = window_->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  void Press(const char* button) { QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton); }
  QSize PageView() { return Child<QWidget>("picChild")->size(); }
  QSize PageAt(int percent) {
    const double pixelsPerTwip = window_->logicalDpiX() / kTwipsPerInch;
    return (paper_ * pixelsPerTwip * percent / 100.0).toSize();
  }
  int PageCount() { return window_->PageCount(); }
  bool Shown(const char* name) { return Child<QWidget>(name)->isVisible(); }
  // A page as the view should show it at size.
  QImage Drawn(int page, const QSize& size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    window_->DrawPage(painter, page, size.width() / paper_.width());
    return image;
  }
  static qsizetype DifferingPixels(const QImage& a, const QImage& b) {
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    qsizetype differing = 0;
    for (int y = 0; y < left.height(); ++y)
      for (int x = 0; x < left.width(); ++x) differing += left.pixel(x, y) != right.pixel(x, y);
    return differing;
  }

  QSizeF paper_{3000, 2000};
  std::string pdf_ = test::TestEnvironment::Current().FolderForCurrentTest("preview") + ".pdf";
  std::unique_ptr<PreviewWindow> window_;
};

TEST_F(PreviewWindowTest, OpensMaximisedAtFullSizeWithAZoomListAndATabPerPage) {
  Open(paper_, 25);
  EXPECT_EQ(window_->windowTitle(), "打印预览－Quillmere");
  EXPECT_TRUE(window_->isMaximized());
  auto* zoom = Child<QComboBox>("cboPercent");
  ASSERT_EQ(zoom->count(), 18);
  EXPECT_EQ(zoom->itemText(0), "200%");
  EXPECT_EQ(zoom->itemText(17), "30%");
  EXPECT_EQ(zoom->currentText(), "100%");
  EXPECT_EQ(PageView(), PageAt(100));
  auto* tabs = Child<QTabBar>("tabPreview");
  ASSERT_GE(PageCount(), 3);
  ASSERT_EQ(tabs->count(), PageCount());
  EXPECT_EQ(tabs->tabText(0), "第1页");
  EXPECT_EQ(tabs->tabText(2), "第3页");
  EXPECT_EQ(Child<QLabel>("lblProgress")->text(), QStringLiteral("共%1页").arg(tabs->count()));
  for (const char* button : {"btnPreview0", "btnPreview1", "btnPreview2", "cmdClose"})
    EXPECT_TRUE(Shown(button)) << button;
  EXPECT_EQ(Child<QPushButton>("btnPreview0")->text(), "打印");
}

TEST_F(PreviewWindowTest, ZoomButtonsStopAt200And30Percent) {
  Open(paper_, 1);
  for (int press = 0; press < 11; ++press) Press("btnPreview1");
  EXPECT_EQ(window_->ZoomPercent(), 200);
  EXPECT_EQ(Child<QComboBox>("cboPercent")->currentText(), "200%");
  EXPECT_EQ(PageView(), PageAt(200));
  for (int press = 0; press < 18; ++press) Press("btnPreview2");
  EXPECT_EQ(window_->ZoomPercent(), 30);
  EXPECT_EQ(Child<QComboBox>("cboPercent")->currentText(), "30%");
  EXPECT_EQ(PageView(), PageAt(30));
}

TEST_F(PreviewWindowTest, AZoomChosenInTheListRedrawsThePage) {
  Open(paper_, 1);
  auto* zoom = Child<QComboBox>("cboPercent");
  zoom->setFocus();
  QTest::keyClick(zoom, Qt::Key_Down);
  EXPECT_EQ(window_->ZoomPercent(), 90);
  EXPECT_EQ(PageView(), PageAt(90));
}

TEST_F(PreviewWindowTest, BarsShowOnlyWhereTheViewIsLargerThanTheViewport) {
  Open(paper_, 1);
  EXPECT_FALSE(Shown("hscPreview"));
  EXPECT_FALSE(Shown("vscPreview"));
  EXPECT_FALSE(Shown("imgCorner"));

  paper_ = QSizeF(3000, 60000);  // taller, not wider
  Open(paper_, 1);
  EXPECT_TRUE(Shown("vscPreview"));
  EXPECT_FALSE(Shown("hscPreview"));
  EXPECT_FALSE(Shown("imgCorner"));
  auto* bar = Child<QScrollBar>("vscPreview");
  EXPECT_EQ(bar->maximum(), PageView().height() - Child<QWidget>("picParent")->height());
  QTest::keyClick(bar, Qt::Key_End);
  EXPECT_EQ(Child<QWidget>("picChild")->y(), -bar->maximum());

  paper_ = QSizeF(60000, 60000);
  Open(paper_, 1);
  EXPECT_TRUE(Shown("vscPreview"));
  EXPECT_TRUE(Shown("hscPreview"));
  EXPECT_TRUE(Shown("imgCorner"));
}

TEST_F(PreviewWindowTest, AChosenTabShowsItsPageAtTheCurrentZoom) {
  Open(paper_, 25);
  Press("btnPreview2");  // 90%
  auto* tabs = Child<QTabBar>("tabPreview");
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
  ASSERT_EQ(tabs->currentIndex(), 2);
  auto* view = Child<QWidget>("picChild");
  ASSERT_EQ(view->size(), PageAt(90));
  const QImage shown = view->grab().toImage();
  // Text drawn on a widget and on an image differs at its edges; the page is still told apart.
  EXPECT_LT(DifferingPixels(shown, Drawn(2, view->size())),
            DifferingPixels(shown, Drawn(0, view->size())));
}

TEST_F(PreviewWindowTest, PrintSendsEveryPageAndClosesTheWindow) {
  Open(paper_, 25);
  Press("btnPreview0");
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(window_->result(), QDialog::Accepted);
  ASSERT_EQ(test::PdfPageCount(pdf_), PageCount());
  // Page 2 goes on with the line after page 1's last.
  const std::string first = test::PdfPageText(pdf_, 1);
  const std::string second = test::PdfPageText(pdf_, 2);
  const int lastOfPage1 = std::stoi(first.substr(first.rfind("Line ") + 5));
  EXPECT_EQ(second.rfind("Line " + std::to_string(lastOfPage1 + 1) + "\n", 0), 0u) << second;
  EXPECT_EQ(first.find("Line " + std::to_string(lastOfPage1 + 1) + "\n"), std::string::npos);
}

TEST_F(PreviewWindowTest, CloseClosesWithoutPrinting) {
  Open(paper_, 1);
  Press("cmdClose");
  EXPECT_FALSE(window_->isVisible());
  EXPECT_FALSE(std::filesystem::exists(pdf_));
}

}  // namespace
}  // namespace qm::gui
