// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/about/MakerSite.h"

#include <QtGlobal>

#include "gui/about/ProjectInfo.h"

namespace qm::gui {

QString MakerHost() {
  const QString host = qEnvironmentVariable(kMakerHostVariable);
  return host.isEmpty() ? QString::fromLatin1(kMakerHost) : host;
}

QString MakerAddress(const char* path) {
  return QStringLiteral("http://") + MakerHost() + QString::fromLatin1(path);
}

}  // namespace qm::gui
