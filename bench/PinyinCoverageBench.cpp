// SPDX-License-Identifier: GPL-3.0-or-later
// Figures of the pinyin filter and of Chinese coverage, each beside an
// anchor measured in the same run:
// - a key press in the filter field over 10,005 families (a third of them
//   with Chinese names) until the list is drawn; anchor: a bare list whose
//   rows a plain "contains" hides;
// - the coverage line's counts for one family, from fontconfig's character
//   set; anchor: fontconfig counting the same set;
// - the families of the installed corpus that have every character of a
//   text; anchor: fontconfig listing the faces whose sets hold that text.

#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <cstdio>

#include "Timing.h"
#include "core/coverage/ChineseCoverage.h"
#include "core/platform/Platform.h"
#include "gui/common/FontNameList.h"
#include "gui/common/FramePump.h"
#include "gui/common/ListedFamily.h"
#include "gui/coverage/FamiliesForText.h"
#include "gui/filter/FamilyFilter.h"
#include "gui/mainwindow/Application.h"
#include "gui/mainwindow/InstalledFontScan.h"

namespace {

constexpr int kFamilies = 10005;
const QString kText = QStringLiteral("请在此输入您的文字，看看各种效果！");

// Chinese names from the characters of common type names, and Latin ones.
QStringList SyntheticNames() {
  const QString first = QStringLiteral("方正汉仪华文思源文泉造字站酷");
  const QString second = QStringLiteral("黑宋楷仿圆隶魏行书小标粗细中");
  QStringList names;
  for (int i = 0; i < kFamilies; ++i) {
    if (i % 3 == 0)
      names << first.mid((i / 3) % 7 * 2, 2) + second[(i / 21) % second.size()] +
                   second[(i / 7) % second.size()] + QStringLiteral("体 %1").arg(i);
    else
      names << QStringLiteral("Quillmere Bench %1 Sans").arg(i, 5, 10, QLatin1Char('0'));
  }
  return names;
}

// The median and worst time of each key until the list has been drawn.
template <typename Press>
std::vector<double> KeyTimes(QWidget* field, QListWidget* list, const QString& keys, Press press) {
  std::vector<double> times;
  for (QChar key : keys) {
    QElapsedTimer clock;
    clock.start();
    press(field, key);
    QCoreApplication::processEvents();
    list->viewport()->repaint();
    times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
  }
  return times;
}

void PrintKeys(const char* what, std::vector<double> times) {
  const double worst = *std::max_element(times.begin(), times.end());
  std::printf("%s: median %.2f ms, worst %.2f ms over %zu keys\n", what, Median(times), worst,
              times.size());
}

void BenchFilter() {
  const QStringList names = SyntheticNames();
  const QString keys = QStringLiteral("fangzheng");  // the whole pinyin of 方正, key by key
  const auto typeKey = [](QWidget* field, QChar key) { QTest::keyClick(field, key.toLatin1()); };
  const auto eraseKey = [](QWidget* field, QChar) { QTest::keyClick(field, Qt::Key_Backspace); };

  qm::gui::FontNameList list;
  list.addItems(names);
  qm::gui::FamilyFilter filter(&list);
  list.resize(260, 600);
  filter.show();
  list.show();
  QCoreApplication::processEvents();
  auto* field = filter.findChild<QLineEdit*>(QStringLiteral("FilterText"));
  QElapsedTimer firstKey;
  firstKey.start();
  QTest::keyClick(field, 'x');  // the first key makes the pinyin of every name
  std::printf("filter, first key (pinyin of %d names made): %.1f ms\n", kFamilies,
              static_cast<double>(firstKey.nsecsElapsed()) / 1e6);
  QTest::keyClick(field, Qt::Key_Backspace);
  PrintKeys("filter, a key press until drawn (10,005 families)",
            KeyTimes(field, &list, keys, typeKey));
  PrintKeys("filter, Backspace until drawn",
            KeyTimes(field, &list, QString(keys.size(), u'\b'), eraseKey));

  // Anchor: a bare list and field, rows hidden by QString::contains.
  QListWidget bare;
  bare.addItems(names);
  QLineEdit bareField;
  QObject::connect(&bareField, &QLineEdit::textChanged, [&bare](const QString& text) {
    for (int row = 0; row < bare.count(); ++row)
      bare.setRowHidden(row, !bare.item(row)->text().contains(text, Qt::CaseInsensitive));
  });
  bare.resize(260, 600);
  bare.show();
  bareField.show();
  QCoreApplication::processEvents();
  PrintKeys("anchor: bare list, contains, a key press until drawn",
            KeyTimes(&bareField, &bare, keys, typeKey));
  PrintKeys("anchor: bare list, Backspace until drawn",
            KeyTimes(&bareField, &bare, QString(keys.size(), u'\b'), eraseKey));
}

// fontconfig's own count of the characters of the faces named family.
std::size_t FontconfigCount(const QString& family) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("dummy"));
  FcPatternDel(pattern, FC_FAMILY);
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.toUtf8().data()));
  FcObjectSet* objects = FcObjectSetBuild(FC_CHARSET, nullptr);
  FcFontSet* set = FcFontList(nullptr, pattern, objects);
  std::size_t count = 0;
  FcCharSet* charset = nullptr;
  if (set && set->nfont > 0 &&
      FcPatternGetCharSet(set->fonts[0], FC_CHARSET, 0, &charset) == FcResultMatch)
    count = FcCharSetCount(charset);
  if (set) FcFontSetDestroy(set);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  return count;
}

void BenchCoverage(qm::platform::Platform& platform, const qm::gui::FontNameList& list) {
  QElapsedTimer standardsClock;
  standardsClock.start();
  const std::vector<qm::coverage::Standard> standards = qm::coverage::ChineseStandards(
      platform.CodePageCharacters("GB2312"), platform.CodePageCharacters("GBK"));
  std::printf("standards from the code pages (once per run): %.1f ms\n",
              static_cast<double>(standardsClock.nsecsElapsed()) / 1e6);
  std::vector<std::string> chinese;
  for (int row = 0; row < list.count() && chinese.size() < 50; ++row) {
    const std::string real = list.Family(row).real.toStdString();
    if (platform.CharactersOf(real).CountInRange(0x4E00, 0x9FFF) > 0) chinese.push_back(real);
  }
  if (chinese.empty()) {
    std::printf("coverage: no family with Chinese characters in this corpus\n");
    return;
  }
  std::size_t index = 0;
  const double coverage = MedianMs(static_cast<int>(chinese.size()), [&] {
    qm::coverage::CoverageOf(platform.CharactersOf(chinese[index++]), standards);
  });
  index = 0;
  const double anchor = MedianMs(static_cast<int>(chinese.size()), [&] {
    FontconfigCount(QString::fromStdString(chinese[index++]));
  });
  std::printf(
      "coverage of one family (%zu families with Chinese characters): median %.2f ms; "
      "anchor: fontconfig counting its set: %.2f ms\n",
      chinese.size(), coverage, anchor);
}

void BenchFamiliesForText(qm::platform::Platform& platform, const qm::gui::FontNameList& list) {
  QVector<int> found;
  QElapsedTimer cold;
  cold.start();
  found = qm::gui::FamiliesDrawing(kText, &list, platform);
  const double first = static_cast<double>(cold.nsecsElapsed()) / 1e6;
  const double warm =
      MedianMs(5, [&] { found = qm::gui::FamiliesDrawing(kText, &list, platform); });
  const double anchor = MedianMs(5, [] {
    FcPattern* pattern = FcPatternCreate();
    FcCharSet* needed = FcCharSetCreate();
    for (uint c : kText.toUcs4()) FcCharSetAddChar(needed, c);
    FcPatternAddCharSet(pattern, FC_CHARSET, needed);
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* set = FcFontList(nullptr, pattern, objects);
    if (set) FcFontSetDestroy(set);
    FcObjectSetDestroy(objects);
    FcCharSetDestroy(needed);
    FcPatternDestroy(pattern);
  });
  std::printf(
      "families that can set the custom text, of %d: %lld found, first %.1f ms, then "
      "median %.1f ms; anchor: fontconfig listing faces with those characters: %.1f ms\n",
      list.count(), static_cast<long long>(found.size()), first, warm, anchor);
}

}  // namespace

int main(int argc, char* argv[]) {
  const auto platform = qm::platform::CreatePlatform();
  QApplication application(argc, argv);
  qm::gui::ConfigureApplication(application, *platform);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  BenchFilter();

  qm::gui::FontNameList list;
  QLabel label;
  qm::gui::FramePump pump;
  qm::gui::ScanInstalledFonts(platform->InstalledFamilies(), &list, &label, pump);
  std::printf("installed corpus: %d families\n", list.count());
  BenchFamiliesForText(*platform, list);  // first: the character sets are not read yet
  BenchCoverage(*platform, list);
  return 0;
}
