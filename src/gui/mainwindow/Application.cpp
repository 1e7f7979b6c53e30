// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/Application.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

#include "core/platform/Platform.h"
#include "gui/common/BaseFormat.h"
#include "gui/common/Icons.h"

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
  NameInstalledInterfaceFaces(platform);
  ChooseBaseFace(platform);
  UseDesktopIconThemeAsFallback();
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

// The family as the toolkit lists it (fontconfig may spell it in another
// case), or an empty string when it is no installed face.
QString InstalledName(const QStringList& installed, const QString& family) {
  if (!IsFace(installed, family)) return {};
  for (const QString& listed : installed)
    if (listed.compare(family, Qt::CaseInsensitive) == 0) return listed;
  return {};
}

}  // namespace

void NameInstalledInterfaceFaces(platform::Platform& platform) {
  const QStringList installed = QFontDatabase::families();
  QFont interface = QApplication::font();
  if (IsFace(installed, interface.family())) return;
  const QString standIn = InstalledStandIn(platform, installed);
  if (standIn.isEmpty()) return;
  interface.setFamilies({standIn});
  QApplication::setFont(interface);
}

void ChooseBaseFace(platform::Platform& platform) {
  const QStringList installed = QFontDatabase::families();
  QString base = InstalledName(installed, kBaseFace);
  if (base.isEmpty())
    base =
        InstalledName(installed, QString::fromStdString(platform.GenericFamily("serif", "zh-cn")));
  if (base.isEmpty()) base = QApplication::font().family();
  SetBaseFaceFamily(base);
  // Text that names a Song face itself (pasted, or read from elsewhere)
  // draws in the base face too, unless that name is installed.
  for (const QString& name : kSongNames) {
    QFont::removeSubstitutions(name);
    if (!IsFace(installed, name)) QFont::insertSubstitution(name, base);
  }
}

}  // namespace qm::gui
