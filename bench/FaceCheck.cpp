// SPDX-License-Identifier: GPL-3.0-or-later
#include "FaceCheck.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

#include <QRawFont>
#include <QStringList>
#include <cstdio>
#include <string>

namespace {

struct FontconfigFace {
  QString file;
  int index = 0;
  QString family;  // the first family name and style, for faces without tables
  QString style;
};

QString StringAt(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch) return {};
  return QString::fromUtf8(reinterpret_cast<const char*>(value));
}

// What fc-match gives for the name, with the whole configuration.
FontconfigFace MatchOf(FcConfig* config, const QString& name) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY,
                     reinterpret_cast<const FcChar8*>(name.toUtf8().constData()));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  FontconfigFace face;
  if (!match) return face;
  face.file = StringAt(match, FC_FILE);
  FcPatternGetInteger(match, FC_INDEX, 0, &face.index);
  face.family = StringAt(match, FC_FAMILY);
  face.style = StringAt(match, FC_STYLE);
  FcPatternDestroy(match);
  return face;
}

QByteArray NameTable(FT_Library library, const FontconfigFace& face) {
  FT_Face ftFace = nullptr;
  if (FT_New_Face(library, face.file.toLocal8Bit().constData(), face.index, &ftFace) != 0)
    return {};
  FT_ULong length = 0;
  QByteArray table;
  if (FT_Load_Sfnt_Table(ftFace, TTAG_name, 0, nullptr, &length) == 0) {
    table.resize(static_cast<qsizetype>(length));
    FT_Load_Sfnt_Table(ftFace, TTAG_name, 0, reinterpret_cast<FT_Byte*>(table.data()), &length);
  }
  FT_Done_Face(ftFace);
  return table;
}

}  // namespace

void PrintFaceCheck(const char* what, const std::vector<DrawnName>& names) {
  FcConfig* config = FcInitLoadConfigAndFonts();
  FT_Library library = nullptr;
  FT_Init_FreeType(&library);
  std::vector<std::string> examples;
  int byNameOnly = 0;  // faces without a name table, compared by family and style
  for (const DrawnName& drawn : names) {
    const FontconfigFace wanted = MatchOf(config, drawn.name);
    const QRawFont raw = QRawFont::fromFont(drawn.font);
    const QByteArray drawnTable = raw.fontTable("name");
    const QByteArray wantedTable = NameTable(library, wanted);
    bool same;
    if (drawnTable.isEmpty() || wantedTable.isEmpty()) {
      ++byNameOnly;
      same = raw.familyName()
                     .section(QStringLiteral(" ["), 0, 0)
                     .compare(wanted.family, Qt::CaseInsensitive) == 0 &&
             raw.styleName().compare(wanted.style, Qt::CaseInsensitive) == 0;
    } else {
      same = drawnTable == wantedTable;
    }
    if (!same)
      examples.push_back(QStringLiteral("%1: fontconfig gives %2#%3 (%4 %5), drawn %6 %7")
                             .arg(drawn.name, wanted.file)
                             .arg(wanted.index)
                             .arg(wanted.family, wanted.style, raw.familyName(), raw.styleName())
                             .toStdString());
  }
  std::printf(
      "%s: %zu names, %zu drawn in another face than fontconfig gives them "
      "(%d compared by family and style, for want of a name table)\n",
      what, names.size(), examples.size(), byNameOnly);
  for (std::size_t i = 0; i < examples.size() && i < 5; ++i)
    std::printf("  %s\n", examples[i].c_str());
  FT_Done_FreeType(library);
  FcConfigDestroy(config);
}

void PrintFaceAddressCheck(const char* what, const std::vector<DrawnAddress>& names) {
  FcConfig* config = FcInitLoadConfigAndFonts();
  std::vector<std::string> examples;
  int collectionFaces = 0;  // a collection's face other than its first
  for (const DrawnAddress& drawn : names) {
    const FontconfigFace wanted = MatchOf(config, drawn.name);
    if (wanted.index > 0) ++collectionFaces;
    const std::vector<qm::gui::FaceAddress> expected{{wanted.file, wanted.index}};
    if (drawn.opened == expected) continue;
    QStringList opened;
    for (const qm::gui::FaceAddress& face : drawn.opened)
      opened << QStringLiteral("%1#%2").arg(face.file).arg(face.index);
    examples.push_back(
        QStringLiteral("%1: fontconfig gives %2#%3 (%4 %5), drawn from %6")
            .arg(drawn.name, wanted.file)
            .arg(wanted.index)
            .arg(wanted.family, wanted.style,
                 opened.isEmpty() ? QStringLiteral("no face") : opened.join(QStringLiteral(", ")))
            .toStdString());
  }
  std::printf(
      "%s: %zu names, %zu drawn from another file or face index than fontconfig gives them "
      "(%d given a collection's face after its first)\n",
      what, names.size(), examples.size(), collectionFaces);
  for (std::size_t i = 0; i < examples.size() && i < 5; ++i)
    std::printf("  %s\n", examples[i].c_str());
  FcConfigDestroy(config);
}
