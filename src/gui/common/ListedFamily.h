// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A family as the lists show it and as it is looked up. The shown name is
// the core's one-line, bounded, valid form; the real name is the bytes
// fontconfig gave, which select the family's file, and as UTF-8 text the
// name the toolkit knows its face by.

#include <QByteArray>
#include <QList>
#include <QString>

namespace qm::gui {

// Where the font-name list keeps an entry's real name (a QByteArray).
inline constexpr int kRealNameRole = Qt::UserRole + 1;
// Where it keeps the family's names in other languages (a QStringList).
inline constexpr int kOtherNamesRole = Qt::UserRole + 2;

struct ListedFamily {
  QString shown;
  QByteArray real;
  QString Face() const { return QString::fromUtf8(real); }
};

using ListedFamilies = QList<ListedFamily>;

ListedFamily ListFamily(const QByteArray& realName);

}  // namespace qm::gui
