// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PrivateCups.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace qm::test {
namespace {

namespace fs = std::filesystem;

constexpr auto kJobWait = std::chrono::seconds(60);  // generous: the machine may be busy

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

std::string Output(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t read;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, read);
    pclose(pipe);
  }
  return output;
}

int JobNumber(const fs::path& file) {
  return std::atoi(file.stem().string().substr(4).c_str());  // "job-N"
}

}  // namespace

PrivateCups::PrivateCups() {
  char pattern[] = "/tmp/quillmere-cups-XXXXXX";
  if (!mkdtemp(pattern)) {
    failure_ = "no folder for the scheduler";
    return;
  }
  dir_ = pattern;
  const std::string errors = dir_ + "/start.err";
  if (std::system((Quoted(QM_PRIVATE_CUPS_SCRIPT) + " start " + Quoted(dir_) + " 2>" +
                   Quoted(errors) + " >/dev/null")
                      .c_str()) != 0) {
    std::stringstream why;
    why << "no private CUPS scheduler: " << std::ifstream(errors).rdbuf();
    failure_ = why.str();
    return;
  }
  // The environment's socket leads to this scheduler while it runs.
  const char* socket = std::getenv("CUPS_SERVER");
  if (!socket || symlink((dir_ + "/cups.sock").c_str(), socket) != 0)
    failure_ = "CUPS_SERVER names no socket the test environment owns";
}

PrivateCups::~PrivateCups() {
  if (dir_.empty()) return;
  if (const char* socket = std::getenv("CUPS_SERVER")) unlink(socket);
  std::system((Quoted(QM_PRIVATE_CUPS_SCRIPT) + " stop " + Quoted(dir_)).c_str());
  std::error_code ignored;
  fs::remove_all(dir_, ignored);
}

void PrivateCups::RefuseJobs() const {
  // CUPS_SERVER leads the client to this scheduler.
  std::system("cupsreject capture");
}

std::vector<std::string> PrivateCups::WaitForJobs(size_t count) const {
  std::vector<fs::path> jobs;
  const auto end = std::chrono::steady_clock::now() + kJobWait;
  do {
    jobs.clear();
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(dir_ + "/out", ignored))
      if (entry.path().extension() == ".prn") jobs.push_back(entry.path());
    if (jobs.size() >= count) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (std::chrono::steady_clock::now() < end);
  std::sort(jobs.begin(), jobs.end(),
            [](const fs::path& a, const fs::path& b) { return JobNumber(a) < JobNumber(b); });
  return {jobs.begin(), jobs.end()};
}

int PdfPageCount(const std::string& pdf) {
  std::istringstream info(Output("pdfinfo " + Quoted(pdf) + " 2>/dev/null"));
  for (std::string line; std::getline(info, line);)
    if (line.rfind("Pages:", 0) == 0) return std::atoi(line.substr(6).c_str());
  return -1;
}

std::string PdfPageText(const std::string& pdf, int page) {
  const std::string number = std::to_string(page);
  return Output("pdftotext -f " + number + " -l " + number + " " + Quoted(pdf) + " - 2>/dev/null");
}

std::vector<std::pair<std::string, bool>> PdfFonts(const std::string& pdf) {
  std::vector<std::pair<std::string, bool>> fonts;
  std::istringstream table(Output("pdffonts " + Quoted(pdf) + " 2>/dev/null"));
  std::string line;
  std::getline(table, line);  // heading
  std::getline(table, line);  // rule
  while (std::getline(table, line)) {
    std::istringstream words(line);
    std::vector<std::string> columns;
    for (std::string word; words >> word;) columns.push_back(word);
    // name, type..., encoding, emb, sub, uni, object, ID
    if (columns.size() >= 7)
      fonts.emplace_back(columns.front(), columns[columns.size() - 5] == "yes");
  }
  return fonts;
}

}  // namespace qm::test
