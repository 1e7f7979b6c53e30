// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tests on files: each test gets a folder of its own under the test
// process's temporary root, and writes its files there.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/TestEnvironment.h"

namespace qm::test {

class FolderTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = TestEnvironment::Current().FolderForCurrentTest(
        testing::UnitTest::GetInstance()->current_test_info()->test_suite_name());
  }

  // The full path of relative ("Sub/Name.ttf") below the folder, with the
  // system's separators.
  std::string Path(const std::string& relative) const {
    return std::filesystem::path(folder_ + "/" + relative).make_preferred().string();
  }

  // Writes content to a file below the folder, making its folders; the full path.
  std::string Write(const std::string& relative, const std::string& content = "abc") {
    const std::string path = Path(relative);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  std::string folder_;
};

}  // namespace qm::test
