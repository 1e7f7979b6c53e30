// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the process holds a file mapped: what an open face of a font file
// keeps, as the system shows it in /proc/self/maps.

#include <QFile>
#include <QString>

namespace qm::test {

// Whether a file whose name ends with fileName ("QmQuote.ttf") is mapped.
inline bool FileMapped(const QString& fileName) {
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly)) return false;
  const QByteArray ending = '/' + fileName.toUtf8();
  for (const QByteArray& line : maps.readAll().split('\n'))
    if (line.endsWith(ending)) return true;
  return false;
}

}  // namespace qm::test
