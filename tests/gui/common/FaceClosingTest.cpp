// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>

#include "gui/common/FaceClosing.h"
#include "support/MappedFiles.h"

namespace qm::gui {
namespace {

// Tom's Type is the test font QmQuote.ttf; a label still showing it keeps
// its font, and draws it again after the face was closed.
TEST(FaceClosingTest, ClosesFacesInUseAndTheyOpenAgainWhenDrawn) {
  QLabel label(QStringLiteral("Tom's Type"));
  QFont font(QStringLiteral("Tom's Type"));
  font.setStyleStrategy(QFont::NoFontMerging);
  label.setFont(font);
  label.grab();  // drawn
  ASSERT_TRUE(test::FileMapped("QmQuote.ttf"));

  CloseOpenFaces();
  EXPECT_FALSE(test::FileMapped("QmQuote.ttf"));

  label.grab();
  EXPECT_TRUE(test::FileMapped("QmQuote.ttf"));
  EXPECT_EQ(QFontInfo(label.font()).family(), QStringLiteral("Tom's Type"));
}

}  // namespace
}  // namespace qm::gui
