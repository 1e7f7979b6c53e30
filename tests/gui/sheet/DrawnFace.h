// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The face the toolkit actually draws a font in, read back from the font
// engine, and the face fontconfig gives a family name: each by the
// PostScript name in its name table.

#include <fontconfig/fontconfig.h>

#include <QFont>
#include <QRawFont>
#include <QString>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtEndian>

#include "support/FaceAddresses.h"

namespace qm::test {

// The font the text at the end of a line of a document is drawn in.
inline QFont LineFont(const QTextDocument* document, int line) {
  QTextCursor end(document->findBlockByNumber(line));
  end.movePosition(QTextCursor::EndOfBlock);
  return end.charFormat().font().resolve(document->defaultFont());
}

inline QString DrawnFace(const QFont& font) {
  const QByteArray table = QRawFont::fromFont(font).fontTable("name");
  const auto word = [&](qsizetype at) {
    return at + 2 <= table.size() ? qFromBigEndian<quint16>(table.constData() + at) : 0;
  };
  const int count = word(2);
  const int strings = word(4);
  for (int record = 0; record < count; ++record) {
    const qsizetype at = 6 + 12 * record;
    const bool windowsPostScriptName = word(at) == 3 && word(at + 6) == 6;
    if (!windowsPostScriptName) continue;
    const QByteArray utf16 = table.mid(strings + word(at + 10), word(at + 8));
    QString name;
    for (qsizetype i = 0; i + 1 < utf16.size(); i += 2)
      name += QChar(qFromBigEndian<quint16>(utf16.constData() + i));
    return name;
  }
  return {};
}

// The PostScript name of the face fc-match gives for name.
inline QString FontconfigFace(const QString& name) {
  QString face;
  ReadFontconfigMatch(name, [&face](FcPattern* match) {
    FcChar8* postScriptName = nullptr;
    if (FcPatternGetString(match, FC_POSTSCRIPT_NAME, 0, &postScriptName) == FcResultMatch)
      face = QString::fromUtf8(reinterpret_cast<const char*>(postScriptName));
  });
  return face;
}

}  // namespace qm::test
