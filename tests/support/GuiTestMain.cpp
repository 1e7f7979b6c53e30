// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>

#include "core/platform/Platform.h"
#include "gui/mainwindow/Application.h"
#include "support/TestEnvironment.h"

int main(int argc, char** argv) {
  // The environment must be in place before the toolkit reads fonts and settings.
  qm::test::TestEnvironment environment(QM_TEST_FONTS_DIR);
  const auto platform = qm::platform::CreatePlatform();
  QApplication application(argc, argv);
  qm::gui::ConfigureApplication(application, *platform);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
