// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/platform/MappedFile.h"

namespace qm::platform {
namespace {

class LinuxMappedFile : public MappedFile {
 public:
  LinuxMappedFile(void* address, std::size_t size) : address_(address), size_(size) {}
  ~LinuxMappedFile() override { munmap(address_, size_); }
  LinuxMappedFile(const LinuxMappedFile&) = delete;
  LinuxMappedFile& operator=(const LinuxMappedFile&) = delete;

  std::span<std::byte> Bytes() override { return {static_cast<std::byte*>(address_), size_}; }

 private:
  void* address_;
  std::size_t size_;
};

// The size of the regular file open as descriptor; 0 for anything else.
std::size_t RegularFileSize(int descriptor) {
  struct stat status {};
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0) return 0;
  return static_cast<std::size_t>(status.st_size);
}

}  // namespace

std::unique_ptr<MappedFile> MapFilePrivately(const std::string& path) {
  // Non-blocking, so that opening a FIFO returns at once instead of waiting
  // for a writer; the check for a regular file then turns it away.
  const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (descriptor < 0) return nullptr;
  const std::size_t size = RegularFileSize(descriptor);
  void* address = size == 0
                      ? MAP_FAILED
                      : mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE, descriptor, 0);
  // The mapping keeps its own reference to the file.
  close(descriptor);
  if (address == MAP_FAILED) return nullptr;
  return std::make_unique<LinuxMappedFile>(address, size);
}

}  // namespace qm::platform
