// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lets test failures print Qt strings as text.

#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
