// SPDX-License-Identifier: GPL-3.0-or-later
#include "Memory.h"

#include <malloc.h>

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace {

constexpr long kKibPerMib = 1024;

bool IsFontFile(const QByteArray& path) {
  static const QRegularExpression fontFile(QStringLiteral("\\.(ttf|otf|ttc|otc|pfb|pfa|woff2?)$"),
                                           QRegularExpression::CaseInsensitiveOption);
  return fontFile.match(QString::fromUtf8(path)).hasMatch();
}

// Calls visit(path, resident KiB) for each mapping; the path is empty for
// anonymous memory and "[heap]", "[stack]" ... for the kernel's names.
template <typename Visit>
void ForEachMapping(Visit visit) {
  QFile smaps(QStringLiteral("/proc/self/smaps"));
  if (!smaps.open(QIODevice::ReadOnly)) return;
  QByteArray path;
  for (const QByteArray& line : smaps.readAll().split('\n')) {
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.isEmpty()) continue;
    if (!fields[0].endsWith(':')) {  // a mapping's header: range, flags, ..., path
      path = fields.size() >= 6 ? fields[5] : QByteArray();
      continue;
    }
    if (fields[0] == "Rss:" && fields.size() >= 2) visit(path, fields[1].toLong());
  }
}

// Adds each mapping's resident kilobytes to the kind of memory it is.
void AddMappings(MemoryNow& memory) {
  long anonymousKib = 0, fontKib = 0, otherKib = 0;
  ForEachMapping([&](const QByteArray& path, long kib) {
    if (path.startsWith('/') && IsFontFile(path))
      fontKib += kib;
    else if (path.startsWith('/'))
      otherKib += kib;
    else
      anonymousKib += kib;
  });
  memory.anonymousMib = anonymousKib / kKibPerMib;
  memory.fontFilesMib = fontKib / kKibPerMib;
  memory.otherFilesMib = otherKib / kKibPerMib;
  memory.residentMib = (anonymousKib + fontKib + otherKib) / kKibPerMib;
}

}  // namespace

MemoryNow ReadMemoryNow() {
  MemoryNow memory;
  AddMappings(memory);
  const struct mallinfo2 heap = mallinfo2();
  memory.heapUsedMib = static_cast<long>((heap.uordblks + heap.hblkhd) / (1024 * 1024));
  memory.heapFreeMib = static_cast<long>(heap.fordblks / (1024 * 1024));
  return memory;
}

void PrintMemory(const char* when) {
  const MemoryNow memory = ReadMemoryNow();
  std::printf(
      "  memory now %s: %ld MiB (anonymous %ld, font files %ld, other files %ld; "
      "heap in use %ld, freed but held %ld)\n",
      when, memory.residentMib, memory.anonymousMib, memory.fontFilesMib, memory.otherFilesMib,
      memory.heapUsedMib, memory.heapFreeMib);
}

void PrintLargestFontFiles(int count) {
  QMap<QByteArray, long> kibByFile;
  ForEachMapping([&](const QByteArray& path, long kib) {
    if (path.startsWith('/') && IsFontFile(path)) kibByFile[path] += kib;
  });
  std::vector<std::pair<long, QByteArray>> largest;
  for (auto it = kibByFile.cbegin(); it != kibByFile.cend(); ++it)
    largest.emplace_back(it.value(), it.key());
  std::sort(largest.rbegin(), largest.rend());
  std::printf("  font files mapped: %lld, the most resident:\n",
              static_cast<long long>(kibByFile.size()));
  for (std::size_t i = 0; i < largest.size() && i < static_cast<std::size_t>(count); ++i)
    std::printf("    %ld KiB %s\n", largest[i].first, largest[i].second.constData());
}
