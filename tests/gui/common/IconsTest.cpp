// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFont>
#include <QImage>

#include "gui/common/Icons.h"

namespace qm::gui {
namespace {

int InkedPixels(const QImage& image) {
  int inked = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) inked += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
  return inked;
}

// The letter is drawn once; the icon gives it at every size the toolbar
// and the window ask for.
TEST(IconsTest, ALetterIconShowsItsOwnLetterAtEverySize) {
  QFont bold;
  bold.setBold(true);
  const QIcon b = ThemeOrLetterIcon("quillmere-no-such-icon", "B", bold);
  const QIcon i = ThemeOrLetterIcon("quillmere-no-such-icon", "I", QFont());
  for (const int size : {16, 24, 32}) {
    SCOPED_TRACE(size);
    const QImage drawnB = b.pixmap(size).toImage();
    EXPECT_EQ(drawnB.size(), QSize(size, size));
    EXPECT_GT(InkedPixels(drawnB), 0);
    EXPECT_NE(drawnB, i.pixmap(size).toImage());
  }
  const QImage application = ApplicationIcon().pixmap(48).toImage();
  EXPECT_EQ(application.size(), QSize(48, 48));
  EXPECT_GT(InkedPixels(application), 48 * 48 / 2);  // the round square behind the letter
}

}  // namespace
}  // namespace qm::gui
