// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/removal/FontRemoval.h"

#include <algorithm>
#include <filesystem>

#include "core/catalogue/FontTable.h"
#include "core/platform/PathHelpers.h"
#include "core/platform/Text.h"
#include "core/registry/RegistryProcedures.h"
#include "core/removal/FileMove.h"

namespace qm::removal {
namespace {

namespace fs = std::filesystem;

bool IsFullPath(const std::string& fileName) { return fileName.starts_with('/'); }

std::string OwnName(const std::string& path) { return fs::path(path).filename().string(); }

}  // namespace

FontRemoval::FontRemoval(RemovalContext context, platform::FontResources& resources,
                         platform::RegistryApi& registry, platform::FileSystem& files,
                         TrashFunction trash)
    : context_(std::move(context)),
      resources_(resources),
      registry_(registry),
      files_(files),
      trash_(std::move(trash)) {}

std::string FontRemoval::CompletePath(const std::string& fileName) const {
  return IsFullPath(fileName) ? fileName : platform::AddBackslash(context_.folder) + fileName;
}

bool FontRemoval::IsImportantFont(const std::string& fileName) const {
  // The list holds bare names, so a full path is looked up by its own name.
  const std::string name = IsFullPath(fileName) ? OwnName(fileName) : fileName;
  if (platform::AsciiLower(kImportantFontList).find(platform::AsciiLower(name)) !=
      std::string::npos)
    return true;
  if (platform::AsciiLower(platform::GetFileExtension(name)) == "fon") return true;
  return IsEssentialFile(CompletePath(fileName));
}

bool FontRemoval::IsEssentialFile(const std::string& path) const {
  return std::any_of(context_.essentialFiles.begin(), context_.essentialFiles.end(),
                     [&](const std::string& essential) {
                       std::error_code error;
                       return essential == path || fs::equivalent(essential, path, error);
                     });
}

bool FontRemoval::InUserFontFolder(const std::string& path) const {
  const std::string normal = fs::path(path).lexically_normal().string();
  return std::any_of(context_.userFontFolders.begin(), context_.userFontFolders.end(),
                     [&](const std::string& folder) {
                       const std::string inside =
                           platform::AddBackslash(fs::path(folder).lexically_normal().string());
                       return normal.starts_with(inside);
                     });
}

bool FontRemoval::IsSystemAttributeFont(const std::string& path) const {
  const platform::FileStatus status = files_.Status(path);
  if (!status.exists) return true;
  if ((status.attributes & (platform::kAttrHidden | platform::kAttrSystem)) != 0) return true;
  return !InUserFontFolder(path);
}

bool FontRemoval::Refused(const RemovalRow& row, const RemovalOptions& options) const {
  if (options.keepImportant && IsImportantFont(row.fileName)) return true;
  return options.keepSystem && IsSystemAttributeFont(CompletePath(row.fileName));
}

void FontRemoval::DeleteTableEntry(const std::string& fontName) {
  const char* key = catalogue::IsNtFamily(context_.osName)   ? catalogue::kFontsNtKey
                    : catalogue::Is9xFamily(context_.osName) ? catalogue::kFonts9xKey
                                                             : nullptr;
  if (!key) return;
  registry::DeleteRegistryValue(registry_, platform::kHkeyLocalMachine, key,
                                fontName + catalogue::kTrueTypeSuffix);
}

void FontRemoval::Run(std::vector<RemovalRow>& rows, const RemovalOptions& options) {
  UnloadFonts(rows, options);
  if (options.action == FileAction::kDelete) DeleteFontFiles(rows);
  if (options.action == FileAction::kMove) MoveFontFiles(rows, options.destination);
}

void FontRemoval::UnloadFonts(std::vector<RemovalRow>& rows, const RemovalOptions& options) {
  std::vector<RemovalRow*> chosen;
  std::vector<std::string> paths;
  for (RemovalRow& row : rows) {
    const std::string path = CompletePath(row.fileName);
    row.unloaded = kNo;
    if (!platform::FileIsPresent(path) || Refused(row, options)) continue;
    chosen.push_back(&row);
    paths.push_back(path);
  }
  if (paths.empty()) return;
  // One call for all, so running programs are told once.
  const std::vector<int> results = resources_.RemoveFontResources(paths);
  for (std::size_t i = 0; i < chosen.size(); ++i) {
    if (i >= results.size() || results[i] != 1) continue;
    chosen[i]->unloaded = kYes;
    DeleteTableEntry(chosen[i]->fontName);
  }
}

void FontRemoval::DeleteFontFiles(std::vector<RemovalRow>& rows) {
  for (RemovalRow& row : rows) {
    const std::string path = CompletePath(row.fileName);
    const bool done = row.unloaded == kYes && platform::FileIsPresent(path) && trash_(path);
    row.deleted = done ? kYes : kNo;
  }
}

void FontRemoval::MoveFontFiles(std::vector<RemovalRow>& rows, const std::string& destination) {
  if (rows.empty() || platform::TrimSpaces(destination).empty()) return;
  for (RemovalRow& row : rows) {
    const std::string path = CompletePath(row.fileName);
    // A full path moves to the folder under the file's own name.
    const std::string target = platform::AddBackslash(destination) + OwnName(path);
    const bool done =
        row.unloaded == kYes && platform::FileIsPresent(path) && MoveFileVerified(path, target);
    row.movedTo = done ? destination : kNo;
  }
}

}  // namespace qm::removal
