#include "app/Application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace qm::app {

void ConfigureApplication(QApplication& application) {
  QCoreApplication::setOrganizationName(QStringLiteral("Quillmere"));
  QCoreApplication::setApplicationName(QStringLiteral("Quillmere"));
  application.setQuitOnLastWindowClosed(false);
  auto* translator = new QTranslator(&application);
  if (translator->load(QStringLiteral("qtbase_zh_CN"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
}

}  // namespace qm::app
