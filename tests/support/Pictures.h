// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding a picture on the screen: a glyph as the face engine draws it, put
// on the background it is drawn over, anywhere in a grabbed image.

#include <QColor>
#include <QImage>
#include <QPainter>

namespace qm::test {

inline bool ContainsPicture(const QImage& screen, const QImage& picture, const QColor& background) {
  QImage expected(picture.size(), QImage::Format_ARGB32_Premultiplied);
  expected.fill(background);
  QPainter(&expected).drawImage(0, 0, picture);
  const QImage shown = screen.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const auto matchesAt = [&](int left, int top) {
    for (int y = 0; y < expected.height(); ++y)
      for (int x = 0; x < expected.width(); ++x)
        if (shown.pixel(left + x, top + y) != expected.pixel(x, y)) return false;
    return true;
  };
  for (int top = 0; top + expected.height() <= shown.height(); ++top)
    for (int left = 0; left + expected.width() <= shown.width(); ++left)
      if (matchesAt(left, top)) return true;
  return false;
}

}  // namespace qm::test
