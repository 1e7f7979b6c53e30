// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/InstalledFontScan.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QSet>

#include "gui/common/ApplicationFonts.h"
#include "gui/common/FramePump.h"
#include "gui/common/ListedFaces.h"
#include "gui/filter/FamilyDetails.h"

namespace qm::gui {
namespace {

// The toolkit reads the installed fonts once, at start; fonts installed
// later must be added to it by file.
void MakeKnownToToolkit(const std::vector<platform::InstalledFamily>& families) {
  QSet<QString> known;
  for (const QString& family : QFontDatabase::families()) known.insert(family.toCaseFolded());
  for (const platform::InstalledFamily& family : families) {
    const QString name = QString::fromStdString(family.name);
    if (known.contains(name.toCaseFolded()) || family.file.empty()) continue;
    // The name may be another language's name of a family the toolkit knows.
    if (QFontDatabase::hasFamily(name)) continue;
    AddApplicationFontFile(family.file);
  }
}

// The row that shows text, or the row it would go to: found tells which.
int SortedRow(const QListWidget* list, const QString& text, const QCollator& collator,
              bool& found) {
  int low = 0;
  int high = list->count();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    const int order = collator.compare(list->item(middle)->text(), text);
    if (order == 0) {
      found = true;
      return middle;
    }
    if (order < 0)
      low = middle + 1;
    else
      high = middle;
  }
  found = false;
  return low;
}

}  // namespace

QCollator FontNameCollator() {
  QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  return collator;
}

QListWidgetItem* InsertSorted(QListWidget* list, const ListedFamily& family,
                              const QCollator& collator,
                              const std::function<void(QListWidgetItem*)>& prepare) {
  QString shown = family.shown;
  // Two names may be shown alike (cut at the same length, or with the same
  // replacement characters): each keeps an entry, told apart by a number.
  // Names that differ only in letter case are one family, as fontconfig
  // matches them.
  for (int copy = 2;; ++copy) {
    bool found = false;
    const int row = SortedRow(list, shown, collator, found);
    if (!found) {
      auto* entry = new QListWidgetItem(shown);
      entry->setData(kRealNameRole, family.real);
      if (prepare) prepare(entry);
      list->insertItem(row, entry);
      return entry;
    }
    const QByteArray other = list->item(row)->data(kRealNameRole).toByteArray();
    if (qstricmp(other.constData(), family.real.constData()) == 0) return nullptr;
    shown = family.shown + QStringLiteral(" (%1)").arg(copy);
  }
}

QString ScanProgressText(qsizetype done, qsizetype total) {
  return QStringLiteral("正在扫描...%1/%2").arg(done).arg(total);
}

QString FontTotalText(qsizetype total) { return QStringLiteral("字体总数：%1").arg(total); }

std::future<InstalledFamilies> ReadInstalledFamiliesAhead(platform::Platform& platform) {
  return std::async(std::launch::async, [&platform] { return platform.InstalledFamilies(); });
}

void ScanInstalledFonts(const InstalledFamilies& families, QListWidget* list, QLabel* label,
                        gui::FramePump& pump) {
  list->clear();
  MakeKnownToToolkit(families);
  RecordListedFaces(families);
  const QCollator collator = FontNameCollator();
  const qsizetype total = static_cast<qsizetype>(families.size());
  for (qsizetype i = 0; i < total; ++i) {
    const platform::InstalledFamily& installed = families[static_cast<std::size_t>(i)];
    const ListedFamily family = ListFamily(QByteArray::fromStdString(installed.name));
    if (!family.shown.startsWith(u'@'))
      InsertSorted(list, family, collator,
                   [&installed](QListWidgetItem* entry) { SetFamilyDetails(entry, installed); });
    if (pump.Due()) {
      label->setText(ScanProgressText(i + 1, total));
      pump.Run();
    }
  }
  label->setText(FontTotalText(list->count()));
}

}  // namespace qm::gui
