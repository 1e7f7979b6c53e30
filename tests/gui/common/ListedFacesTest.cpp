// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "gui/common/FaceText.h"
#include "gui/common/ListedFaces.h"

namespace qm::gui {
namespace {

// A sheet of two lines as the sheet marks them: the text in the box's font,
// each line marked with its family.
void WriteSheet(QTextDocument& document) {
  QTextCursor cursor(&document);
  for (const char* family : {"Tom's Type", "Quillmere Pictographs"}) {
    if (!cursor.atStart()) cursor.insertBlock();
    QTextCharFormat format;
    format.setProperty(kListedFaceProperty, QByteArray(family));
    cursor.insertText(QString::fromUtf8(family), format);
  }
}

QStringList FamiliesOf(const QTextBlock& block) {
  QStringList families;
  for (auto it = block.begin(); !it.atEnd(); ++it)
    families << it.fragment().text() + u'=' +
                    it.fragment().charFormat().fontFamilies().toStringList().value(0);
  return families;
}

// The printed copy writes each name in its family's face, and a symbol
// font's name in the box's font with the font's own symbols after it.
TEST(ListedFacesTest, ThePrintedCopyWritesNamesInTheirFacesAndAddsOwnScriptText) {
  QTextDocument document;
  WriteSheet(document);
  WriteListedFacesAsFonts(document, [](const QByteArray& family) {
    return family == "Quillmere Pictographs" ? PrintedFace{false, QStringLiteral("ABC")}
                                             : PrintedFace{};
  });
  EXPECT_EQ(FamiliesOf(document.firstBlock()), QStringList{"Tom's Type=Tom's Type"});
  EXPECT_EQ(FamiliesOf(document.lastBlock()),
            (QStringList{"Quillmere Pictographs=", "  =", "ABC=Quillmere Pictographs"}));
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.fontFamilies().toStringList().isEmpty()) {
        EXPECT_EQ(format.fontStyleStrategy(), QFont::NoFontMerging);
      }
    }
  }
}

}  // namespace
}  // namespace qm::gui
