// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/TestEnvironment.h"

int main(int argc, char** argv) {
  // The fonts may be copied elsewhere for a run as another user.
  const char* fonts = std::getenv("QM_TEST_FONTS_DIR");
  qm::test::TestEnvironment environment(fonts ? fonts : QM_TEST_FONTS_DIR);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
