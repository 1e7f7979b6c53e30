// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ApplicationFonts.h"

#include <QFile>
#include <QFontDatabase>
#include <map>

namespace qm::gui {
namespace {

// The toolkit's id of each file the program loaded; the toolkit itself
// knows them only by id.
std::map<std::string, int>& LoadedFiles() {
  static std::map<std::string, int> loaded;
  return loaded;
}

}  // namespace

bool AddApplicationFontFile(const std::string& path) {
  if (LoadedFiles().count(path)) return true;
  const int id =
      QFontDatabase::addApplicationFont(QFile::decodeName(QByteArray::fromStdString(path)));
  if (id < 0) return false;
  LoadedFiles()[path] = id;
  return true;
}

void DropApplicationFontFile(const std::string& path) {
  const auto loaded = LoadedFiles().find(path);
  if (loaded == LoadedFiles().end()) return;
  QFontDatabase::removeApplicationFont(loaded->second);
  LoadedFiles().erase(loaded);
}

}  // namespace qm::gui
