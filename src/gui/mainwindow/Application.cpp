#include "gui/mainwindow/Application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace qm::gui {

void ConfigureApplication(QApplication& application) {
  QCoreApplication::setOrganizationName(QStringLiteral("Quillmere"));
  QCoreApplication::setApplicationName(QStringLiteral("Quillmere"));
  application.setQuitOnLastWindowClosed(false);
  auto* translator = new QTranslator(&application);
  if (translator->load(QStringLiteral("qtbase_zh_CN"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
}

}  // namespace qm::gui
