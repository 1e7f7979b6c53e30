// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print-preview window "打印预览－Quillmere": one page at a time at a
// chosen zoom in a scrolled viewport, a tab per page along the bottom, and
// "打印", which sends every page to the printer and closes the window.
// Pages are laid out while the window is shown, a short step at a time.

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

#include "gui/common/FaceText.h"

class QComboBox;
class QLabel;
class QPainter;
class QPrinter;
class QPushButton;
class QScrollBar;
class QTabBar;
class QTextDocument;

namespace qm::gui {

class PageLayoutSteps;
struct PageFrame;

class PreviewWindow : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kMaxZoom = 200;
  static constexpr int kMinZoom = 30;
  static constexpr int kZoomStep = 10;

  // "打印" prints on printer.
  explicit PreviewWindow(std::unique_ptr<QPrinter> printer, QWidget* parent = nullptr);
  ~PreviewWindow() override;

  // The size of every page, twips.
  void SizePreview(const QSizeF& page);
  // Lays document, a copy made for the purpose, out on pages of frame while
  // the window runs, and adds a tab for each page; faces draws its text in
  // listed faces.
  void LayOutPages(std::unique_ptr<QTextDocument> document, const PageFrame& frame,
                   std::optional<FaceBlockPainter> faces = std::nullopt);
  // A tab for page (1-based); below 2 nothing, as page 1 has its tab.
  void AddPage(int page);
  // Redraws the page view at the current zoom.
  void PictureShow();

  int ZoomPercent() const { return zoomPercent_; }
  bool LaidOut() const;
  // The pages laid out so far, and each drawn at scale (1: in twips).
  int PageCount() const { return pageCount_; }
  void DrawPage(QPainter& painter, int index, double scale);
  QPrinter& Printer() { return *printer_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* SetupToolbar();
  QWidget* SetupViewport();
  void FillZoomList();
  void OnZoomChosen(int index);
  void ZoomIn();
  void ZoomOut();
  void SetScrollBars();
  void LayOutViewport();
  void ShowPage(int index);
  void AddLaidOutPage(int index);
  void ShowProgress();
  void PrintPages();
  double PixelsPerTwip() const;

  std::unique_ptr<QPrinter> printer_;
  PageLayoutSteps* layout_ = nullptr;
  int pageCount_ = 0;
  QSizeF pageTwips_;
  int zoomPercent_ = 100;
  bool isLoading_ = true;

  std::array<QPushButton*, 3> btnPreview = {};  // print, zoom in, zoom out
  QComboBox* cboPercent = nullptr;
  QPushButton* cmdClose = nullptr;
  QLabel* lblProgress_ = nullptr;
  QWidget* picParent = nullptr;
  QWidget* picChild = nullptr;
  QScrollBar* hscPreview = nullptr;
  QScrollBar* vscPreview = nullptr;
  QLabel* imgCorner = nullptr;
  QTabBar* tabPreview = nullptr;
};

}  // namespace qm::gui
