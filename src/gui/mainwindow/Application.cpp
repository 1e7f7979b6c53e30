// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/Application.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

#include "core/platform/Platform.h"
#include "gui/common/FamilyAliases.h"

namespace qm::gui {

void ConfigureApplication(QApplication& application, platform::Platform& platform) {
  QCoreApplication::setOrganizationName(QStringLiteral("Quillmere"));
  QCoreApplication::setApplicationName(QStringLiteral("Quillmere"));
  application.setQuitOnLastWindowClosed(false);
  // Loading fontconfig's files takes milliseconds; the toolkit's first font
  // request would load them a second time.
  platform.ShareFontConfiguration();
  auto* translator = new QTranslator(&application);
  if (translator->load(QStringLiteral("qtbase_zh_CN"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
  SubstituteSongFaces(platform);
  NameInstalledInterfaceFaces(platform);
}

namespace {

const QStringList kSongNames = {QStringLiteral("宋体"), QStringLiteral("SimSun")};

// The toolkit lists fontconfig's generic families under these names without
// a face of their own; it resolves them by trying installed families.
bool IsFace(const QStringList& installed, const QString& family) {
  static const QStringList generic = {QStringLiteral("Serif"), QStringLiteral("Sans Serif"),
                                      QStringLiteral("Monospace")};
  return installed.contains(family, Qt::CaseInsensitive) &&
         !generic.contains(family, Qt::CaseInsensitive);
}

// Name draws in face: as another name of it when face is installed (found at
// once), else as its substitute. A family of the name itself, when
// installed, keeps the name.
void StandIn(const QString& name, const QString& face) {
  QFont::removeSubstitutions(name);
  if (!IsFace(QFontDatabase::families(), name) && AddFamilyAlias(face, name)) return;
  RemoveFamilyAlias(name);
  QFont::insertSubstitution(name, face);
}

bool HasStandIn(const QString& name) {
  return !QFont::substitutes(name).isEmpty() || !AliasedFamily(name).isEmpty();
}

}  // namespace

void SubstituteSongFaces(platform::Platform& platform) {
  const QString song = QString::fromStdString(platform.GenericFamily("serif", "zh-cn"));
  if (song.isEmpty()) return;
  for (const QString& name : kSongNames) StandIn(name, song);
}

namespace {

// The face fontconfig gives sans-serif Chinese text, else sans-serif text,
// else the first face with Chinese, else the first face.
QString InstalledStandIn(platform::Platform& platform, const QStringList& installed) {
  for (const char* language : {"zh-cn", "en"}) {
    const QString sans = QString::fromStdString(platform.GenericFamily("sans-serif", language));
    if (IsFace(installed, sans)) return sans;
  }
  for (const QStringList& candidates :
       {QFontDatabase::families(QFontDatabase::SimplifiedChinese), installed})
    for (const QString& family : candidates)  // not a face for vertical writing ("@…")
      if (IsFace(installed, family) && !family.startsWith(u'@')) return family;
  return {};
}

}  // namespace

void NameInstalledInterfaceFaces(platform::Platform& platform) {
  const QStringList installed = QFontDatabase::families();
  QFont interface = QApplication::font();
  if (!IsFace(installed, interface.family())) {
    const QString standIn = InstalledStandIn(platform, installed);
    if (standIn.isEmpty()) return;
    interface.setFamilies({standIn});
    QApplication::setFont(interface);
  }
  for (const QString& name : kSongNames)
    if (!HasStandIn(name) && !IsFace(installed, name)) StandIn(name, interface.family());
}

}  // namespace qm::gui
