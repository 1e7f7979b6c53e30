// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include "core/platform/MappedFile.h"
#include "core/platform/windows/WindowsText.h"

namespace qm::platform {
namespace {

class WindowsMappedFile : public MappedFile {
 public:
  WindowsMappedFile(void* view, std::size_t size) : view_(view), size_(size) {}
  ~WindowsMappedFile() override { UnmapViewOfFile(view_); }
  WindowsMappedFile(const WindowsMappedFile&) = delete;
  WindowsMappedFile& operator=(const WindowsMappedFile&) = delete;

  std::span<std::byte> Bytes() override { return {static_cast<std::byte*>(view_), size_}; }

 private:
  void* view_;
  std::size_t size_;
};

// The size of the regular file open as handle; 0 for anything else.
std::size_t RegularFileSize(HANDLE file) {
  LARGE_INTEGER size{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size) || size.QuadPart <= 0)
    return 0;
  return static_cast<std::size_t>(size.QuadPart);
}

}  // namespace

std::unique_ptr<MappedFile> MapFilePrivately(const std::string& path) {
  // Others may read, rename or delete the file while it is mapped, as they
  // may while a font loader has it open.
  HANDLE file =
      CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  const std::size_t size = RegularFileSize(file);
  // A copy-on-write mapping: written pages become the process's own.
  HANDLE mapping =
      size == 0 ? nullptr : CreateFileMappingW(file, nullptr, PAGE_WRITECOPY, 0, 0, nullptr);
  CloseHandle(file);
  if (!mapping) return nullptr;
  void* view = MapViewOfFile(mapping, FILE_MAP_COPY, 0, 0, 0);
  // The view keeps the mapping and the file open.
  CloseHandle(mapping);
  if (!view) return nullptr;
  return std::make_unique<WindowsMappedFile>(view, size);
}

}  // namespace qm::platform
