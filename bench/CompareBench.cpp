// SPDX-License-Identifier: GPL-3.0-or-later
// Times the web pages and the comparison on whatever fonts fontconfig is
// configured with, each beside an anchor measured in the same run: the
// all-fonts page built and written (beside one iconv call over the same
// names), and the comparison with every family selected: its first lines
// drawn, the build until it is complete and the longest pause of the
// window meanwhile (beside a bare text box given the same lines in one
// face). Prints figures; judges nothing.

#include <iconv.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>

#include "Timing.h"
#include "core/export/HtmlPages.h"
#include "core/platform/FileReplacing.h"
#include "core/platform/Platform.h"
#include "gui/common/FontNameList.h"
#include "gui/compare/CompareWindow.h"
#include "gui/compare/WebPageFile.h"
#include "gui/mainwindow/Application.h"
#include "gui/mainwindow/MainWindow.h"

namespace {

constexpr int kRuns = 20;

double MsSince(const QElapsedTimer& clock) {
  return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// The longest time the event loop went without running a 1 ms timer, and
// when that pause ended.
class PauseWatch {
 public:
  PauseWatch() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (sinceLast_.elapsed() > longest_) {
        longest_ = sinceLast_.elapsed();
        endedMs_ = static_cast<double>(sinceStart_.elapsed());
      }
      sinceLast_.restart();
    });
  }
  void Start() {
    longest_ = 0;
    sinceStart_.start();
    sinceLast_.start();
    timer_.start(1);
  }
  double EndedMs() const { return endedMs_; }
  qint64 Stop() {
    timer_.stop();
    return std::max(longest_, sinceLast_.elapsed());
  }

 private:
  QTimer timer_;
  QElapsedTimer sinceStart_;
  QElapsedTimer sinceLast_;
  qint64 longest_ = 0;
  double endedMs_ = 0;
};

// The time of the first paint of a box's viewport that showed more than
// one line, in ms since clock started; -1 until then.
class FirstLinesPaint : public QObject {
 public:
  FirstLinesPaint(QPlainTextEdit* box, const QElapsedTimer& clock) : box_(box), clock_(clock) {
    box->viewport()->installEventFilter(this);
  }
  double Ms() const { return ms_; }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && ms_ < 0 && box_->document()->blockCount() > 1)
      ms_ = MsSince(clock_);
    return false;
  }

 private:
  QPlainTextEdit* box_;
  const QElapsedTimer& clock_;
  double ms_ = -1;
};

std::string AllNamesUtf8(const qm::gui::ListedFamilies& families) {
  std::string names;
  for (const qm::gui::ListedFamily& family : families)
    names += family.shown.toStdString() + family.shown.toStdString() + "\r\n";
  return names;
}

// The least any writer of these names does: one conversion, no escaping.
std::size_t IconvOnce(const std::string& utf8) {
  iconv_t converter = iconv_open("CP936//IGNORE", "UTF-8");
  std::string out(utf8.size() * 2, '\0');
  char* in = const_cast<char*>(utf8.data());
  char* written = out.data();
  std::size_t inLeft = utf8.size();
  std::size_t outLeft = out.size();
  iconv(converter, &in, &inLeft, &written, &outLeft);
  iconv_close(converter);
  return out.size() - outLeft;
}

void BenchAllFontsPage(const qm::gui::ListedFamilies& families) {
  const auto named = qm::gui::PageFamilies(families);
  std::string page;
  const double build = MedianMs(kRuns, [&] { page = qm::pages::AllFontsPage(named, 30); });
  QTemporaryDir folder;
  const std::string file = QDir(folder.path()).filePath("all.htm").toStdString();
  const double write = MedianMs(kRuns, [&] { qm::platform::ReplaceFile(file, page); });
  const std::string names = AllNamesUtf8(families);
  const double anchor = MedianMs(kRuns, [&] { IconvOnce(names); });
  std::printf("all-fonts page of %lld families (%zu bytes), median of %d:\n",
              static_cast<long long>(families.size()), page.size(), kRuns);
  std::printf(
      "  built %.2f ms, written and synced %.2f ms; anchor: one iconv of the names %.2f ms\n",
      build, write, anchor);
}

// The comparison of every family, opened with the button as a person does.
void BenchComparison(qm::gui::MainWindow& window, int families) {
  window.findChild<qm::gui::FontNameList*>(QStringLiteral("List1"))->selectAll();
  QElapsedTimer clock;
  PauseWatch pauses;
  double built = -1;
  double firstLines = -1;
  qint64 longest = 0;
  QTimer::singleShot(0, [&] {
    auto* yh = window.findChild<qm::gui::CompareWindow*>();
    FirstLinesPaint paint(yh->findChild<QPlainTextEdit*>(QStringLiteral("RichTextBox1")), clock);
    while (yh->Building()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    built = MsSince(clock);
    // The window's first complete screen after the build.
    yh->repaint();
    QCoreApplication::processEvents();
    longest = pauses.Stop();
    firstLines = paint.Ms();
    yh->reject();
  });
  clock.start();
  pauses.Start();
  window.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
  std::printf("comparison of all %d families:\n", families);
  std::printf(
      "  first lines drawn %.1f ms, complete %.1f ms, longest pause %lld ms (ended at %.0f ms)\n",
      firstLines, built, static_cast<long long>(longest), pauses.EndedMs());
}

// A bare rich-text box given the same lines in one face, and drawn.
void BenchComparisonAnchor(const qm::gui::ListedFamilies& families, const QString& text) {
  QString lines = QStringLiteral("Quillmere:");
  for (const qm::gui::ListedFamily& family : families)
    lines += u'\n' + text + u'[' + family.shown + u']';
  QTextEdit box;
  box.resize(720, 480);
  box.show();
  QElapsedTimer clock;
  clock.start();
  box.setPlainText(lines);
  box.repaint();
  std::printf("  anchor: a bare text box given the same lines in one face, drawn %.1f ms\n",
              MsSince(clock));
}

}  // namespace

int main(int argc, char* argv[]) {
  const auto platform = qm::platform::CreatePlatform();
  QApplication application(argc, argv);
  qm::gui::ConfigureApplication(application, *platform);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  qm::gui::FaceEngine windowFaces;
  qm::gui::MainWindow window(*platform, windowFaces);
  window.show();
  window.ScanInstalledFonts();
  auto* list = window.findChild<qm::gui::FontNameList*>(QStringLiteral("List1"));
  qm::gui::ListedFamilies families;
  for (int row = 0; row < list->count(); ++row) families << list->Family(row);

  BenchAllFontsPage(families);
  BenchComparison(window, static_cast<int>(families.size()));
  BenchComparisonAnchor(families, QStringLiteral("请在此输入您的文字，看看各种效果！"));
  return 0;
}
