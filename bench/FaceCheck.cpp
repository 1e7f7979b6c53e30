// SPDX-License-Identifier: GPL-3.0-or-later
#include "FaceCheck.h"

#include <fontconfig/fontconfig.h>

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

}  // namespace

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
