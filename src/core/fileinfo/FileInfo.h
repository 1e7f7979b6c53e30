// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the font lists show about one file: names and paths, sizes,
// attributes, time stamps and the desktop's name and icon for its kind.
//
// The class keeps the shape it has on Windows and asks the system through
// platform::FileSystem; with the Linux backend each member means:
//
// - FullPathName: the path made absolute and normalised lexically
//   (std::filesystem::absolute + lexically_normal); symbolic links are kept,
//   not resolved, so the list shows the path the user chose.
// - Found: stat() succeeds and the entry is not a folder. Folders count as
//   not found: the lists only ever describe files. When not found only
//   FileExists (false) and FullPathName change; everything else keeps the
//   values of the last file found, PathExists included.
// - Names keep their letter case; FileName is the last component of the
//   path, FilePath the folder with a trailing "/". FileExtension is the text
//   after the last "." of FileName (so ".hidden" has the extension
//   "hidden"), empty when there is no dot.
// - Short forms: there are no 8.3 names, so ShortName = FileName,
//   ShortPath = FilePath and ShortPathName = FullPathName. (On Windows the
//   system's 8.3 forms, and FullPathName with every name as stored on disk.)
// - FileSize: st_size, 64 bits. CompressedFileSize: the space taken on disk,
//   st_blocks * 512 (small for a sparse file). The ...High getters give the
//   upper 32 bits of each for callers written for 32-bit halves.
// - Times are local date-times in whole seconds (FileDateTime). ModifyTime
//   and LastAccessTime come from stat; CreationTime is the birth time from
//   statx where the file system records one, otherwise null (it is not
//   guessed from the other two).
// - Writing times: SetModifyTime and SetLastAccessTime use utimensat.
//   SetCreationTime cannot be done: the birth time is not writable on Linux.
// - Attributes:
//     ReadOnly   the owner's write permission bit is clear; writable through
//                chmod of that bit.
//     Hidden     the name begins with "."; cannot be written without
//                renaming the file.
//     System     the current user may not add or remove files in the file's
//                folder (access(folder, W_OK) fails), as with the system
//                font folders; follows from the folder, cannot be written.
//     Archive, Temporary, Compressed
//                have no counterpart: always clear, cannot be set.
//   Writing an attribute to the value it already has succeeds and touches
//   nothing; writing one that cannot be expressed fails and changes nothing.
// - DisplayName, TypeName and hIcon come from the FileTypes source given to
//   the constructor (none: empty names and icon 0). An empty type name
//   becomes the upper-cased extension + " File" ("File" without extension).
//
// Setters return whether they succeeded; callers may ignore the result.

#include <cstdint>
#include <memory>
#include <string>

#include "core/platform/FileSystem.h"
#include "core/platform/FileTypes.h"

namespace qm::fileinfo {

using platform::FileDateTime;
using platform::kAttrArchive;
using platform::kAttrCompressed;
using platform::kAttrHidden;
using platform::kAttrReadOnly;
using platform::kAttrSystem;
using platform::kAttrTemporary;

class CFileInfo {
 public:
  // fileTypes may be null; it must outlive this object.
  explicit CFileInfo(platform::FileTypes* fileTypes = nullptr);

  // Takes the path (made absolute and normalised) and reads the file. False,
  // with nothing changed, when the text cannot be made a path (empty).
  bool SetFullPathName(const std::string& path);
  // Reads the file at FullPathName again; see the notes above for a file
  // that is not found.
  void Refresh();

  const std::string& FullPathName() const { return fullPathName_; }
  const std::string& FileName() const { return fileName_; }
  const std::string& FilePath() const { return filePath_; }
  const std::string& FileExtension() const { return fileExtension_; }
  const std::string& ShortPathName() const { return shortPathName_; }
  const std::string& ShortName() const { return shortName_; }
  const std::string& ShortPath() const { return shortPath_; }
  const std::string& DisplayName() const { return displayName_; }
  const std::string& TypeName() const { return typeName_; }
  bool FileExists() const { return fileExists_; }
  bool PathExists() const { return pathExists_; }

  std::uint64_t FileSize() const { return fileSize_; }
  std::uint32_t FileSizeHigh() const { return static_cast<std::uint32_t>(fileSize_ >> 32); }
  std::uint64_t CompressedFileSize() const { return compressedFileSize_; }
  std::uint32_t CompressedFileSizeHigh() const {
    return static_cast<std::uint32_t>(compressedFileSize_ >> 32);
  }

  const FileDateTime& CreationTime() const { return creationTime_; }
  const FileDateTime& LastAccessTime() const { return lastAccessTime_; }
  const FileDateTime& ModifyTime() const { return modifyTime_; }
  bool SetCreationTime(const FileDateTime& time);
  bool SetLastAccessTime(const FileDateTime& time);
  bool SetModifyTime(const FileDateTime& time);

  std::uint32_t Attributes() const { return attributes_; }
  bool attrReadOnly() const { return (attributes_ & kAttrReadOnly) != 0; }
  bool attrHidden() const { return (attributes_ & kAttrHidden) != 0; }
  bool attrSystem() const { return (attributes_ & kAttrSystem) != 0; }
  bool attrArchive() const { return (attributes_ & kAttrArchive) != 0; }
  bool attrTemporary() const { return (attributes_ & kAttrTemporary) != 0; }
  bool attrCompressed() const { return (attributes_ & kAttrCompressed) != 0; }
  bool SetAttributes(std::uint32_t attributes);
  bool SetAttrReadOnly(bool on);
  bool SetAttrHidden(bool on);
  bool SetAttrSystem(bool on);
  bool SetAttrArchive(bool on);
  bool SetAttrTemporary(bool on);
  bool SetAttrCompressed(bool on);

  platform::FileIconKey hIcon() const { return icon_; }

  // "YYYY-MM-DD HH:MM:SS", 24-hour clock; empty for a null time.
  static std::string FormatFileDate(const FileDateTime& time);
  // The size in KB with two decimals, thousands grouped: "1,024.00".
  static std::string FormatFileSize(std::uint64_t bytes);

 private:
  void ReadShortForms(const platform::FileStatus& status);
  bool SetAttribute(std::uint32_t bit, bool on);
  bool WriteTime(platform::FileTime which, const FileDateTime& time);

  platform::FileTypes* fileTypes_;
  std::unique_ptr<platform::FileSystem> fileSystem_;
  std::string fullPathName_;
  std::string fileName_;
  std::string filePath_;
  std::string fileExtension_;
  std::string shortPathName_;
  std::string shortName_;
  std::string shortPath_;
  std::string displayName_;
  std::string typeName_;
  bool fileExists_ = false;
  bool pathExists_ = false;
  std::uint64_t fileSize_ = 0;
  std::uint64_t compressedFileSize_ = 0;
  FileDateTime creationTime_;
  FileDateTime lastAccessTime_;
  FileDateTime modifyTime_;
  std::uint32_t attributes_ = 0;
  platform::FileIconKey icon_ = 0;
};

}  // namespace qm::fileinfo
