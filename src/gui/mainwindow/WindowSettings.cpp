// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/WindowSettings.h"

#include <QSettings>
#include <QSplitter>
#include <algorithm>
#include <utility>

#include "core/system/SampleFontSize.h"

namespace qm::gui {
namespace {

// The setting that keeps the width of the font-name list, pixels.
constexpr char kListWidthKey[] = "ListWidth";

// The settings, opened on the window's section.
class Section {
 public:
  Section() { settings_.beginGroup(QString::fromUtf8(system::kSettingsSection)); }
  QSettings* operator->() { return &settings_; }

 private:
  QSettings settings_;
};

}  // namespace

QString WindowSettings::ReadSampleFontSize(qint16& size) const {
  const QString text = Section()
                           ->value(QString::fromUtf8(system::kFontSizeKey),
                                   QString::fromUtf8(system::kDefaultFontSize))
                           .toString();
  const system::FontSizeReading reading = system::ParseSampleFontSize(text.toStdString());
  if (!reading.ok) return QString::fromStdString(reading.error);
  // A size no text can have keeps the default, which the pages and
  // comparisons can use.
  if (reading.value > 0) size = reading.value;
  return {};
}

void WindowSettings::KeepListWidth(QSplitter* columns) const {
  QObject::connect(columns, &QSplitter::splitterMoved, columns, [columns] {
    Section()->setValue(QString::fromUtf8(kListWidthKey), columns->sizes().value(0));
  });
}

void WindowSettings::RestoreListWidth(QSplitter* columns) {
  if (std::exchange(listWidthRestored_, true)) return;
  if (const int width = Section()->value(QString::fromUtf8(kListWidthKey)).toInt(); width > 0)
    columns->setSizes({width, std::max(1, columns->width() - width)});
}

}  // namespace qm::gui
