// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/FamilyAliases.h"

#include <QtGui/private/qfontdatabase_p.h>
#include <qpa/qplatformfontdatabase.h>

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <utility>

namespace qm::gui {
namespace {

// Alias → family.
QHash<QString, QString>& Aliases() {
  static QHash<QString, QString> aliases;
  return aliases;
}

bool Installed(const QString& family) {
  return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

void RegisterAliases() {
  for (auto alias = Aliases().cbegin(); alias != Aliases().cend(); ++alias) {
    if (!Installed(alias.value())) continue;
    QPlatformFontDatabase::registerAliasToFontFamily(alias.value(), alias.key());
    QFont::removeSubstitutions(alias.key());
  }
}

// The toolkit's list of fonts, made anew when fonts are added or removed,
// has none of the aliases. Reading the list at once after each of many
// added fonts would read every font each time, so the aliases are given
// again once the window's events run; meanwhile each alias draws in its
// family as a substitute.
void ReregisterAliasesLater() {
  static bool pending = false;
  for (auto alias = Aliases().cbegin(); alias != Aliases().cend(); ++alias)
    QFont::insertSubstitution(alias.key(), alias.value());
  if (std::exchange(pending, true)) return;
  QMetaObject::invokeMethod(
      qGuiApp,
      [] {
        pending = false;
        RegisterAliases();
      },
      Qt::QueuedConnection);
}

void KeepAliasesAcrossReloads() {
  [[maybe_unused]] static const bool connected = [] {
    QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp,
                     ReregisterAliasesLater);
    return true;
  }();
}

}  // namespace

bool AddFamilyAlias(const QString& family, const QString& alias) {
  if (!Installed(family)) return false;
  if (AliasedFamily(alias).compare(family, Qt::CaseInsensitive) != 0) RemoveFamilyAlias(alias);
  Aliases().insert(alias, family);
  QPlatformFontDatabase::registerAliasToFontFamily(family, alias);
  KeepAliasesAcrossReloads();
  return true;
}

QString AliasedFamily(const QString& alias) { return Aliases().value(alias); }

void RemoveFamilyAlias(const QString& alias) {
  if (!Aliases().remove(alias)) return;
  QFont::removeSubstitutions(alias);  // in case it stood in while the fonts were read
  // The toolkit has no way to drop one alias: its list is read anew.
  QFontDatabasePrivate::instance()->invalidate();
}

}  // namespace qm::gui
