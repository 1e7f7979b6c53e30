// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tests on files: each test gets a folder of its own under the test
// process's temporary root, and writes its files there.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

// A file's whole content, as bytes.
inline std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// The names of folder's entries, sorted.
inline std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace qm::test
