// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/FaceLookup.h"

#include <QtGui/private/qfont_p.h>
#include <QtGui/private/qfontdatabase_p.h>

#include <QFont>
#include <algorithm>
#include <utility>

namespace qm::gui {
namespace {

// Puts one family at the head of the toolkit's family list while it lives.
// The list stays complete, so whatever the toolkit looks for while the
// family is first (another face when this one cannot be opened) it still
// finds; only lookups by halves would miss, and opening a face makes none.
// Fonts are used on the window's thread alone, so nothing else sees the
// list in between.
class FamilyFirst {
 public:
  FamilyFirst(QFontDatabasePrivate* database, int at) : database_(database), at_(at) {
    std::swap(database_->families[0], database_->families[at_]);
  }
  ~FamilyFirst() { std::swap(database_->families[0], database_->families[at_]); }
  FamilyFirst(const FamilyFirst&) = delete;
  FamilyFirst& operator=(const FamilyFirst&) = delete;

 private:
  QFontDatabasePrivate* database_;
  int at_;
};

void OpenWithFamilyFirst(const QFont& font) {
  if (!(font.styleStrategy() & QFont::NoFontMerging)) return;
  QString foundry, name;
  QFontDatabasePrivate::parseFontName(font.families().value(0), foundry, name);
  QFontDatabasePrivate* database = QFontDatabasePrivate::ensureFontDatabase();
  QtFontFamily* family = database->family(name, QFontDatabasePrivate::EnsurePopulated);
  if (family == nullptr) return;  // perhaps another family's alias: the toolkit's own walk
  QtFontFamily** const end = database->families + database->count;
  QtFontFamily** const found = std::find(database->families, end, family);
  if (found == end) return;
  FamilyFirst first(database, static_cast<int>(found - database->families));
  QFontPrivate::get(font)->engineForScript(QChar::Script_Common);
}

}  // namespace

QRawFont OpenFaceByName(const QFont& font) {
  OpenWithFamilyFirst(font);
  return QRawFont::fromFont(font);
}

}  // namespace qm::gui
