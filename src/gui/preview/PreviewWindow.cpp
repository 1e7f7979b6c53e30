// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/preview/PreviewWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QVBoxLayout>

#include "gui/common/Dialogs.h"
#include "gui/common/NamedWidgets.h"
#include "gui/printing/PageLayoutSteps.h"
#include "gui/printing/PagePrinting.h"
#include "gui/printing/PageRecorder.h"

namespace qm::gui {
namespace {

const QString kTitle = QStringLiteral("打印预览－Quillmere");
const QString kNoPrinterText = QStringLiteral(
    "Make sure that you have a printer installed.  If a printer is installed, go into your "
    "printer properties look under the Setup tab, and make sure the ICM checkbox is checked and "
    "try printing again.");
const QString kNoPrinterTitle = QStringLiteral("Printer Error");
const QString kPrintingTitle = QStringLiteral("Preview - Printing");
// The window's smallest size and the gap around the viewport, twips.
constexpr QSize kMinimumTwips(3000, 2000);
constexpr int kGapTwips = 100;

QString PageCaption(int page) { return QStringLiteral("第%1页").arg(page); }

// The page view: draws one laid-out page stretched to its own size.
class PageView : public QWidget {
 public:
  using QWidget::QWidget;

  void SetPage(PageRecorder* pages, int index, const QSizeF& pageTwips) {
    pages_ = pages;
    index_ = index;
    pageTwips_ = pageTwips;
    update();
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (pages_ && pageTwips_.width() > 0)
      gui::DrawPage(painter, *pages_, index_, width() / pageTwips_.width());
  }

 private:
  PageRecorder* pages_ = nullptr;
  int index_ = 0;
  QSizeF pageTwips_;
};

}  // namespace

PreviewWindow::PreviewWindow(std::unique_ptr<QPrinter> printer, QWidget* parent)
    : QDialog(parent), printer_(std::move(printer)) {
  setObjectName(QStringLiteral("frmPreview"));
  setWindowTitle(kTitle);
  auto* rows = new QVBoxLayout(this);
  const int gap = qRound(kGapTwips * PixelsPerTwip());
  rows->setContentsMargins(gap, 0, gap, gap);
  rows->addWidget(SetupToolbar());
  rows->addWidget(SetupViewport(), 1);
  tabPreview = new QTabBar(this);
  tabPreview->setObjectName(QStringLiteral("tabPreview"));
  tabPreview->setShape(QTabBar::RoundedSouth);
  tabPreview->addTab(PageCaption(1));
  rows->addWidget(tabPreview);
  connect(tabPreview, &QTabBar::currentChanged, this, &PreviewWindow::ShowPage);
  setMinimumSize(
      QSizeF(kMinimumTwips.width() * PixelsPerTwip(), kMinimumTwips.height() * PixelsPerTwip())
          .toSize());
  layout_ = new PageLayoutSteps(this);
  connect(layout_, &PageLayoutSteps::PageRecorded, this, &PreviewWindow::AddLaidOutPage);
  connect(layout_, &PageLayoutSteps::Finished, this, &PreviewWindow::ShowProgress);
  FillZoomList();
  zoomPercent_ = 100;
  // The whole screen also where no window manager maximises.
  setGeometry(screen()->availableGeometry());
  setWindowState(windowState() | Qt::WindowMaximized);
  isLoading_ = false;
}

PreviewWindow::~PreviewWindow() = default;

QWidget* PreviewWindow::SetupToolbar() {
  auto* picToolbar = new QWidget(this);
  picToolbar->setObjectName(QStringLiteral("picToolbar"));
  auto* strip = new QHBoxLayout(picToolbar);
  const QString captions[] = {QStringLiteral("打印"), QStringLiteral("放大"),
                              QStringLiteral("缩小")};
  for (size_t index = 0; index < btnPreview.size(); ++index) {
    btnPreview[index] =
        NamedButton(QStringLiteral("btnPreview%1").arg(index), captions[index], picToolbar);
    strip->addWidget(btnPreview[index]);
  }
  connect(btnPreview[0], &QPushButton::clicked, this, &PreviewWindow::PrintPages);
  connect(btnPreview[1], &QPushButton::clicked, this, &PreviewWindow::ZoomIn);
  connect(btnPreview[2], &QPushButton::clicked, this, &PreviewWindow::ZoomOut);
  cboPercent = new QComboBox(picToolbar);
  cboPercent->setObjectName(QStringLiteral("cboPercent"));
  strip->addWidget(cboPercent);
  cmdClose = NamedButton(QStringLiteral("cmdClose"), QStringLiteral("关闭"), picToolbar);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
  strip->addWidget(cmdClose);
  lblProgress_ = NamedLabel(QStringLiteral("lblProgress"), QString(), picToolbar);
  strip->addWidget(lblProgress_, 1);
  return picToolbar;
}

QWidget* PreviewWindow::SetupViewport() {
  picParent = new QWidget(this);
  picParent->setObjectName(QStringLiteral("picParent"));
  picParent->setAutoFillBackground(true);
  picParent->setBackgroundRole(QPalette::Dark);
  picParent->installEventFilter(this);
  picChild = new PageView(picParent);
  picChild->setObjectName(QStringLiteral("picChild"));
  hscPreview = new QScrollBar(Qt::Horizontal, picParent);
  hscPreview->setObjectName(QStringLiteral("hscPreview"));
  vscPreview = new QScrollBar(Qt::Vertical, picParent);
  vscPreview->setObjectName(QStringLiteral("vscPreview"));
  imgCorner = new QLabel(picParent);
  imgCorner->setObjectName(QStringLiteral("imgCorner"));
  imgCorner->setAutoFillBackground(true);
  connect(hscPreview, &QScrollBar::valueChanged, this,
          [this](int value) { picChild->move(-value, picChild->y()); });
  connect(vscPreview, &QScrollBar::valueChanged, this,
          [this](int value) { picChild->move(picChild->x(), -value); });
  return picParent;
}

void PreviewWindow::FillZoomList() {
  for (int percent = kMaxZoom; percent >= kMinZoom; percent -= kZoomStep)
    cboPercent->addItem(QStringLiteral("%1%").arg(percent));
  cboPercent->setCurrentIndex(cboPercent->findText(QStringLiteral("100%")));
  connect(cboPercent, &QComboBox::currentIndexChanged, this, &PreviewWindow::OnZoomChosen);
}

double PreviewWindow::PixelsPerTwip() const { return logicalDpiX() / kTwipsPerInch; }

void PreviewWindow::SizePreview(const QSizeF& page) {
  pageTwips_ = page;
  picChild->setGeometry(QRect(QPoint(0, 0), (page * PixelsPerTwip()).toSize()));
}

void PreviewWindow::LayOutPages(std::unique_ptr<QTextDocument> document, const PageFrame& frame,
                                std::optional<FaceBlockPainter> faces) {
  layout_->Start(std::move(document), frame, std::move(faces));
  ShowProgress();
}

void PreviewWindow::DrawPage(QPainter& painter, int index, double scale) {
  gui::DrawPage(painter, layout_->Pages(), index, scale);
}

bool PreviewWindow::LaidOut() const { return layout_->Done(); }

void PreviewWindow::AddLaidOutPage(int index) {
  pageCount_ = index + 1;
  const int number = pageCount_;
  AddPage(number);
  // Page 1 has its tab from the start; its picture comes first.
  if (number == 1 && tabPreview->currentIndex() == 0) ShowPage(0);
  ShowProgress();
}

void PreviewWindow::ShowProgress() {
  lblProgress_->setText(LaidOut() ? QStringLiteral("共%1页").arg(pageCount_)
                                  : QStringLiteral("正在排版：%1页").arg(pageCount_));
}

void PreviewWindow::AddPage(int page) {
  if (page < 2) return;
  tabPreview->addTab(PageCaption(page));
}

void PreviewWindow::ShowPage(int index) {
  if (index < 0 || index >= pageCount_) return;
  static_cast<PageView*>(picChild)->SetPage(&layout_->Pages(), index, pageTwips_);
  PictureShow();
}

void PreviewWindow::PictureShow() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const double scale = zoomPercent_ / 100.0 * PixelsPerTwip();
  picChild->resize((pageTwips_ * scale).toSize());
  SetScrollBars();
  QApplication::restoreOverrideCursor();
  update();
}

void PreviewWindow::OnZoomChosen(int index) {
  if (isLoading_ || index < 0) return;
  zoomPercent_ = cboPercent->itemText(index).chopped(1).toInt();
  PictureShow();
}

void PreviewWindow::ZoomIn() {
  const int index = cboPercent->currentIndex();
  if (index - 1 >= 0) cboPercent->setCurrentIndex(index - 1);
}

void PreviewWindow::ZoomOut() {
  const int index = cboPercent->currentIndex();
  if (index + 1 < cboPercent->count()) cboPercent->setCurrentIndex(index + 1);
}

// A bar shows where the view is larger than the viewport; the corner filler
// follows the horizontal bar, which leaves room for it at its end.
void PreviewWindow::SetScrollBars() {
  const QSize view = picChild->size();
  const QSize port = picParent->size();
  const bool taller = view.height() > port.height();
  vscPreview->setVisible(taller);
  vscPreview->setRange(0, taller ? view.height() - port.height() : 0);
  vscPreview->setPageStep(std::max(1, view.height() - port.height()));
  const bool wider = view.width() > port.width();
  hscPreview->setVisible(wider);
  hscPreview->setRange(0, wider ? view.width() - port.width() : 0);
  hscPreview->setPageStep(std::max(1, view.width() - port.width()));
  imgCorner->setVisible(wider);
  picChild->move(-hscPreview->value(), -vscPreview->value());
}

void PreviewWindow::LayOutViewport() {
  const QSize port = picParent->size();
  const int barWidth = vscPreview->sizeHint().width();
  const int barHeight = hscPreview->sizeHint().height();
  vscPreview->setGeometry(port.width() - barWidth, 0, barWidth, port.height() - barHeight);
  hscPreview->setGeometry(0, port.height() - barHeight, port.width() - barWidth, barHeight);
  imgCorner->setGeometry(vscPreview->x(), hscPreview->y(), barWidth, barHeight);
  SetScrollBars();
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picParent && event->type() == QEvent::Resize) LayOutViewport();
  return QDialog::eventFilter(watched, event);
}

void PreviewWindow::PrintPages() {
  // Every page is printed, so the layout is finished first; meanwhile a
  // second press must not print again.
  btnPreview[0]->setEnabled(false);
  layout_->WaitUntilDone();
  const int copies = printer_->copyCount();
  // Each copy is a job of its own.
  printer_->setCopyCount(1);
  for (int copy = 1; copy <= copies; ++copy) {
    const JobOutcome job = PrintJob(*printer_, layout_->Pages());
    if (!job.started) {
      ShowTitledMessage(this, kNoPrinterText, kNoPrinterTitle);
      break;
    }
    // Said once: the copies after a refused one would be refused alike.
    if (!job.refusal.isEmpty()) {
      ShowTitledMessage(this, job.refusal, kPrintingTitle);
      break;
    }
  }
  accept();
}

}  // namespace qm::gui
