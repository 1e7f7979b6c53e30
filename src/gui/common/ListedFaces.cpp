// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ListedFaces.h"

#include <QHash>
#include <QTextCharFormat>

namespace qm::gui {
namespace {

struct FaceSelection {
  QString family;
  QString style;
};

// Only the names that need more than themselves; the rest select their face.
QHash<QString, FaceSelection>& Selections() {
  static QHash<QString, FaceSelection> selections;
  return selections;
}

}  // namespace

void RecordListedFaces(const std::vector<platform::InstalledFamily>& families) {
  QHash<QString, FaceSelection>& selections = Selections();
  selections.clear();
  for (const platform::InstalledFamily& family : families) {
    if (family.faceStyle.empty()) continue;
    selections.insert(
        QString::fromStdString(family.name),
        {QString::fromStdString(family.faceFamily), QString::fromStdString(family.faceStyle)});
  }
}

void SetListedFace(QTextCharFormat& format, const QString& name) {
  const auto found = Selections().constFind(name);
  const bool selected = found != Selections().constEnd();
  format.setFontFamilies(QStringList{selected ? found->family : name});
  format.setFontStyleName(selected ? found->style : QString());
}

}  // namespace qm::gui
