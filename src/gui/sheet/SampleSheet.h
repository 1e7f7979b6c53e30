// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sample sheet: every font name written in its own face, one per line.
// A model of the listed families and a view that draws only the lines on
// the screen, so that a sheet of any length is there at once and opens only
// the faces shown.

#include <QAbstractListModel>
#include <QCache>
#include <QColor>
#include <QImage>
#include <QListView>
#include <QTextCharFormat>
#include <QTimer>
#include <memory>

#include "gui/common/BaseFormat.h"
#include "gui/common/FaceText.h"
#include "gui/common/ListedFamily.h"
#include "gui/common/TextStyles.h"

class QTextDocument;

namespace qm::gui {

class FaceEngine;
class ListedFaceFinder;

QString SheetProgressText(qsizetype line, qsizetype total);  // "5/320"

// How every line of the sheet looks: the toolbar's styles, colour and size.
struct SheetLook {
  TextStyleFlags flags;
  QColor colour = Qt::black;
  int points = kBasePointSize;
};

// The format of a line: the base face's text, marked to be drawn in the
// family's own face, in the sheet's look.
QTextCharFormat SheetLineFormat(const ListedFamily& family, const SheetLook& look);

// The lines as rich text, a paragraph each, in font: what is printed.
std::unique_ptr<QTextDocument> SheetDocument(const ListedFamilies& families, const SheetLook& look,
                                             const QFont& font);

// One row per family, in list order: its shown name (the display role)
// and its real name (kRealNameRole).
class SheetModel : public QAbstractListModel {
  Q_OBJECT
 public:
  using QAbstractListModel::QAbstractListModel;

  void SetFamilies(ListedFamilies families);
  const ListedFamilies& Families() const { return families_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  ListedFamilies families_;
};

// The lines of a SheetModel, each drawn by the face engine in its family's
// face (and a text of the face's own script where the face cannot write its
// name); lines are read, selected and copied, never edited.
class SheetView : public QListView {
  Q_OBJECT
 public:
  SheetView(FaceEngine& engine, ListedFaceFinder& finder, QWidget* parent = nullptr);

  const SheetLook& Look() const { return look_; }
  void SetLook(const SheetLook& look);
  // The selected lines' families, in the sheet's order.
  ListedFamilies SelectedFamilies() const;
  // The line's height in the sheet's look.
  int LineHeight() const;
  int Widest() const { return widest_; }
  // The line row as the face engine draws it in the sheet's look, on a
  // transparent picture: drawn once, kept for the lines shown and the next
  // page's, which are drawn ahead while the window is idle.
  const QImage& LinePicture(int row);
  // New lines: their widths and next page are found anew.
  void reset() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void CopySelectedLines() const;
  void TurnPage(bool forward);
  // A drawn line was width pixels wide: the sheet scrolls sideways to the widest.
  void NoteLineWidth(qreal width);
  QImage DrawLinePicture(int row);
  void ForgetPictures();
  // The lines of the page below the one shown, drawn one line per idle
  // step, ready for Page_Down.
  void PlanNextPage();
  void PrepareNextLine();

  // The pictures kept, by line: two pages or more at the sizes a sheet
  // usually has.
  static constexpr qsizetype kPictureBytes = 4 * 1024 * 1024;

  FaceBlockPainter faces_;
  SheetLook look_;
  int widest_ = 0;
  QCache<int, QImage> pictures_;
  QImage unkept_;  // the last picture too large to keep
  QTimer* preparing_ = nullptr;
  int plannedFirst_ = -1;
  int nextToPrepare_ = 0;
  int lastToPrepare_ = -1;
};

}  // namespace qm::gui
