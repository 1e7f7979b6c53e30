// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real CUPS scheduler for the running test, reached through the socket the
// test environment names in CUPS_SERVER; its default queue writes each job
// to a folder, where the tests read it back with poppler's tools.

#include <string>
#include <vector>

namespace qm::test {

class PrivateCups {
 public:
  PrivateCups();
  ~PrivateCups();
  PrivateCups(const PrivateCups&) = delete;
  PrivateCups& operator=(const PrivateCups&) = delete;

  // Empty when it runs; else why it could not start, for the test's skip.
  const std::string& Failure() const { return failure_; }
  // The queue refuses every job from now on.
  void RefuseJobs() const;
  // Waits until count jobs are complete; their files, oldest first.
  std::vector<std::string> WaitForJobs(size_t count) const;

 private:
  std::string dir_;
  std::string failure_;
};

// What poppler reads from a PDF file.
int PdfPageCount(const std::string& pdf);
std::string PdfPageText(const std::string& pdf, int page);  // 1-based
// The fonts of the file, and whether each is embedded.
std::vector<std::pair<std::string, bool>> PdfFonts(const std::string& pdf);

}  // namespace qm::test
