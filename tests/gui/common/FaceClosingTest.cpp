// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <memory>
#include <vector>

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

// Resident memory of the process, in MiB.
double ResidentMiB() {
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (!statm.open(QIODevice::ReadOnly)) return 0;
  const QList<QByteArray> fields = statm.readAll().split(' ');
  return fields.value(1).toDouble() * 4096 / (1 << 20);
}

// Memory freed in the middle of the heap stays with the process until given
// back, which happens once the window is idle rather than during the close.
TEST(FaceClosingTest, FreedMemoryGoesBackToTheSystemWhenTheWindowIsIdle) {
  constexpr std::size_t kBlocks = 4096, kBlockBytes = 16 * 1024;  // 64 MiB in the heap
  std::vector<std::unique_ptr<char[]>> blocks;
  for (std::size_t i = 0; i < kBlocks; ++i) {
    blocks.emplace_back(new char[kBlockBytes]);
    std::fill_n(blocks.back().get(), kBlockBytes, static_cast<char>(i));
  }
  for (std::size_t i = 0; i < kBlocks; i += 2)
    blocks[i].reset();  // holes the heap's end cannot shed
  const double held = ResidentMiB();

  CloseOpenFaces();
  EXPECT_GT(ResidentMiB(), held - 4);
  QCoreApplication::processEvents();
  EXPECT_LT(ResidentMiB(), held - 16);
}

}  // namespace
}  // namespace qm::gui
