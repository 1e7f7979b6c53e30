// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The faces a box's line is drawn from, and face addresses as test failures
// print them.

#include <fontconfig/fontconfig.h>

#include <QAbstractItemView>
#include <QImage>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <ostream>
#include <vector>

#include "gui/common/FaceEngine.h"

namespace qm::gui {

inline void PrintTo(const FaceAddress& face, std::ostream* out) {
  *out << face.file.toStdString() << " #" << face.index;
}

}  // namespace qm::gui

namespace qm::test {

// A face as fontconfig lists it.
struct FaceFile {
  QString file;
  int index = 0;
};

// Calls read with what fc-match gives for name, with the configuration as
// it is now; nothing when fontconfig matches nothing.
template <typename Read>
void ReadFontconfigMatch(const QString& name, Read read) {
  FcConfig* config = FcInitLoadConfigAndFonts();
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY,
                     reinterpret_cast<const FcChar8*>(name.toUtf8().constData()));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
    read(match);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  FcConfigDestroy(config);
}

// The file and face index fc-match gives for name.
inline FaceFile FontconfigFaceFile(const QString& name) {
  FaceFile face;
  ReadFontconfigMatch(name, [&face](FcPattern* match) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch) return;
    face.file = QString::fromUtf8(reinterpret_cast<const char*>(file));
    FcPatternGetInteger(match, FC_INDEX, 0, &face.index);
  });
  return face;
}

// The region of box's viewport that line takes.
inline QRect LineRect(QPlainTextEdit* box, int line) {
  const QTextCursor cursor(box->document()->findBlockByNumber(line));
  const QRect caret = box->cursorRect(cursor);
  return QRect(0, caret.top(), box->viewport()->width(), caret.height());
}

// The region of view's viewport that row line takes, across the viewport.
inline QRect LineRect(QAbstractItemView* view, int line) {
  const QRect row = view->visualRect(view->model()->index(line, 0));
  return QRect(0, row.top(), view->viewport()->width(), row.height());
}

// Draws only line of box (a text box or an item view), with no face open
// before, and returns the faces that drawing opened.
template <typename Box>
std::vector<gui::FaceAddress> FacesDrawingLine(gui::FaceEngine& faces, Box* box, int line) {
  faces.Forget();
  QImage image(box->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  box->viewport()->render(&image, {}, QRegion(LineRect(box, line)));
  return faces.OpenFaces();
}

}  // namespace qm::test
