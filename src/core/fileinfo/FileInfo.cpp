// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/fileinfo/FileInfo.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/platform/PathHelpers.h"
#include "core/platform/Text.h"

namespace qm::fileinfo {
namespace {

namespace fs = std::filesystem;

// Where paths start at "/", an absolute path with no "." or ".." parts and
// no doubled separators is already in normal form; most paths a folder
// listing gives are. Elsewhere every path goes the long way.
bool IsNormalAbsolute(const std::string& path) {
  if (platform::kPathSeparator != '/' || path.empty() || path.front() != '/') return false;
  for (const char* part : {"//", "/./", "/../"})
    if (path.find(part) != std::string::npos) return false;
  const auto endsWith = [&](const std::string& tail) {
    return path.size() >= tail.size() &&
           path.compare(path.size() - tail.size(), tail.size(), tail) == 0;
  };
  return !endsWith("/.") && !endsWith("/..");
}

}  // namespace

CFileInfo::CFileInfo(platform::FileTypes* fileTypes)
    : fileTypes_(fileTypes), fileSystem_(platform::CreateFileSystem()) {}

bool CFileInfo::SetFullPathName(const std::string& path) {
  if (path.empty()) return false;
  if (IsNormalAbsolute(path)) {
    fullPathName_ = path;
    Refresh();
    return true;
  }
  std::error_code error;
  const fs::path absolute = fs::absolute(platform::PathFromUtf8(path), error);
  if (error || absolute.empty()) return false;
  fullPathName_ = platform::Utf8FromPath(absolute.lexically_normal());
  Refresh();
  return true;
}

void CFileInfo::Refresh() {
  const platform::FileStatus status =
      fullPathName_.empty() ? platform::FileStatus{} : fileSystem_->Status(fullPathName_);
  if (!status.exists || status.isFolder) {
    fileExists_ = false;
    return;
  }
  if (!status.pathOnDisk.empty()) fullPathName_ = status.pathOnDisk;
  // A normal absolute path: the name follows the last separator.
  const auto separator = fullPathName_.rfind(platform::kPathSeparator);
  fileName_ = fullPathName_.substr(separator + 1);
  filePath_ = fullPathName_.substr(0, separator + 1);
  const auto dot = fileName_.rfind('.');
  fileExtension_ = dot == std::string::npos ? std::string() : fileName_.substr(dot + 1);
  ReadShortForms(status);

  attributes_ = status.attributes;
  fileSize_ = status.size;
  compressedFileSize_ = status.sizeOnDisk;
  fileExists_ = true;
  pathExists_ = true;

  modifyTime_ = status.modified;
  lastAccessTime_ = status.accessed;
  creationTime_ = status.born;

  platform::FileTypeInfo type;
  if (fileTypes_) type = fileTypes_->Describe(fullPathName_);
  displayName_ = type.displayName;
  typeName_ = platform::TrimSpaces(type.typeName);
  if (typeName_.empty())
    typeName_ = platform::TrimSpaces(platform::AsciiUpper(fileExtension_) + " File");
  icon_ = type.icon;
}

// Where the system keeps no short forms the long ones stand in for them.
void CFileInfo::ReadShortForms(const platform::FileStatus& status) {
  shortName_ = status.shortName.empty() ? fileName_ : status.shortName;
  shortPathName_ = status.shortPathName.empty() ? fullPathName_ : status.shortPathName;
  const std::size_t nameLength = std::min(shortPathName_.size(), shortName_.size());
  shortPath_ = shortPathName_.substr(0, shortPathName_.size() - nameLength);
}

bool CFileInfo::SetCreationTime(const FileDateTime& time) {
  return WriteTime(platform::FileTime::kBirth, time);
}

bool CFileInfo::SetLastAccessTime(const FileDateTime& time) {
  return WriteTime(platform::FileTime::kAccess, time);
}

bool CFileInfo::SetModifyTime(const FileDateTime& time) {
  return WriteTime(platform::FileTime::kModify, time);
}

bool CFileInfo::WriteTime(platform::FileTime which, const FileDateTime& time) {
  if (!fileExists_ || !fileSystem_->SetTime(fullPathName_, which, time)) return false;
  Refresh();
  return true;
}

bool CFileInfo::SetAttributes(std::uint32_t attributes) {
  if (!fileExists_) return false;
  if (attributes == attributes_) return true;  // nothing to write, the file stays untouched
  if (!fileSystem_->SetAttributes(fullPathName_, attributes_, attributes)) return false;
  Refresh();
  return true;
}

bool CFileInfo::SetAttribute(std::uint32_t bit, bool on) {
  return SetAttributes(on ? (attributes_ | bit) : (attributes_ & ~bit));
}

bool CFileInfo::SetAttrReadOnly(bool on) { return SetAttribute(kAttrReadOnly, on); }
bool CFileInfo::SetAttrHidden(bool on) { return SetAttribute(kAttrHidden, on); }
bool CFileInfo::SetAttrSystem(bool on) { return SetAttribute(kAttrSystem, on); }
bool CFileInfo::SetAttrArchive(bool on) { return SetAttribute(kAttrArchive, on); }
bool CFileInfo::SetAttrTemporary(bool on) { return SetAttribute(kAttrTemporary, on); }
bool CFileInfo::SetAttrCompressed(bool on) { return SetAttribute(kAttrCompressed, on); }

std::string CFileInfo::FormatFileDate(const FileDateTime& time) {
  if (time.IsNull()) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day,
                time.hour, time.minute, time.second);
  return text;
}

// "," and "." whatever the locale: the font list sorts the column by the
// number these texts show and expects exactly these separators.
std::string CFileInfo::FormatFileSize(std::uint64_t bytes) {
  // Hundredths of a KB, rounded half up, in integers so that no size
  // loses precision.
  const std::uint64_t hundredths = bytes / 1024 * 100 + (bytes % 1024 * 100 + 512) / 1024;
  const std::string whole = std::to_string(hundredths / 100);
  std::string text;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) text += ',';
    text += whole[i];
  }
  const unsigned cents = static_cast<unsigned>(hundredths % 100);
  text += '.';
  text += static_cast<char>('0' + cents / 10);
  text += static_cast<char>('0' + cents % 10);
  return text;
}

}  // namespace qm::fileinfo
