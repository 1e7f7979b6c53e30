// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Unloading chosen font files, removing their font-table entries, and then
// leaving, deleting or moving the files, one status per row. Nothing is
// deleted or moved that was not unloaded first, and essential fonts and
// fonts of the system can be kept from it.

#include <functional>
#include <string>
#include <vector>

#include "core/platform/FileSystem.h"
#include "core/platform/FontResources.h"
#include "core/platform/Registry.h"

namespace qm::removal {

inline constexpr char kYes[] = "是";
inline constexpr char kNo[] = "否";

// The essential font files, one text: a name counts when it occurs anywhere
// in it (a full stop, not a comma, joins the last two).
inline constexpr char kImportantFontList[] =
    "simyou.ttf,simsun.ttc,simfang.ttf,simgei.ttf,smalle.fon,coure.fon,sserife.fon,serife.fon,"
    "symbole.fon,tahoma.ttf,arial.ttf,times.ttf,micross.ttf.modern.fon";

struct RemovalRow {
  std::string fileName;  // a bare name in the row's folder, or a full path; bytes as on disk
  std::string fontName;
  std::string unloaded = {};  // kYes, kNo or empty
  std::string deleted = {};
  std::string movedTo = {};  // the destination folder, kNo or empty
};

enum class FileAction { kLeave, kDelete, kMove };

struct RemovalOptions {
  bool keepImportant = true;  // "保留系统重要的字体"
  bool keepSystem = true;     // "保留系统属性的字体"
  FileAction action = FileAction::kDelete;
  std::string destination = {};  // the folder files are moved to
};

// What the passes know of the system, gathered when the dialog opens.
struct RemovalContext {
  std::string folder;                        // bare names are completed with it
  std::vector<std::string> userFontFolders;  // files elsewhere count as the system's
  std::vector<std::string> essentialFiles;   // the faces the desktop draws its text in
  std::string osName;                        // chooses the font table entries are removed from
};

// Moves a file into the desktop's trash; true only when it arrived there.
using TrashFunction = std::function<bool(const std::string& path)>;

class FontRemoval {
 public:
  FontRemoval(RemovalContext context, platform::FontResources& resources,
              platform::RegistryApi& registry, platform::FileSystem& files, TrashFunction trash);

  // The row's file: a full path as it is, a bare name in the context's folder.
  std::string CompletePath(const std::string& fileName) const;
  // The name (a row's file text) is in the essential list, is a bitmap font
  // (".fon"), or its file is one the desktop draws its text in.
  bool IsImportantFont(const std::string& fileName) const;
  // Hidden or system, outside the user's own font folders, or unreadable.
  bool IsSystemAttributeFont(const std::string& path) const;

  // Unloads every row that may be, then deletes or moves as chosen.
  void Run(std::vector<RemovalRow>& rows, const RemovalOptions& options);

 private:
  void UnloadFonts(std::vector<RemovalRow>& rows, const RemovalOptions& options);
  void DeleteFontFiles(std::vector<RemovalRow>& rows);
  void MoveFontFiles(std::vector<RemovalRow>& rows, const std::string& destination);
  bool Refused(const RemovalRow& row, const RemovalOptions& options) const;
  void DeleteTableEntry(const std::string& fontName);
  bool IsEssentialFile(const std::string& path) const;
  bool InUserFontFolder(const std::string& path) const;

  RemovalContext context_;
  platform::FontResources& resources_;
  platform::RegistryApi& registry_;
  platform::FileSystem& files_;
  TrashFunction trash_;
};

}  // namespace qm::removal
