// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/Application.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

#include "core/platform/Platform.h"

namespace qm::gui {

void ConfigureApplication(QApplication& application, platform::Platform& platform) {
  QCoreApplication::setOrganizationName(QStringLiteral("Quillmere"));
  QCoreApplication::setApplicationName(QStringLiteral("Quillmere"));
  application.setQuitOnLastWindowClosed(false);
  auto* translator = new QTranslator(&application);
  if (translator->load(QStringLiteral("qtbase_zh_CN"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
  SubstituteSongFaces(platform);
}

void SubstituteSongFaces(platform::Platform& platform) {
  const QString song = QString::fromStdString(platform.GenericFamily("serif", "zh-cn"));
  if (song.isEmpty()) return;
  // A family of the name itself, when installed, still comes first.
  for (const QString& name : {QStringLiteral("宋体"), QStringLiteral("SimSun")})
    QFont::insertSubstitution(name, song);
}

}  // namespace qm::gui
