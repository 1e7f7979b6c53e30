// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>

#include "gui/common/ListedFaces.h"
#include "gui/printing/LineDocuments.h"
#include "gui/printing/PageRecorder.h"
#include "gui/sheet/SongFace.h"
#include "support/FakePlatform.h"

namespace qm::gui {
namespace {

// format drawing in its own face alone, as the printed copy of a sheet has it.
QTextCharFormat InOwnFaceAlone(QTextCharFormat format) {
  format.setFontStyleStrategy(QFont::NoFontMerging);
  return format;
}

// Lines 200 pixels apart, as the text's formats measure, and pages of ten of them.
constexpr int kLinePixels = 200;
constexpr int kLinesPerPage = 10;

double LineTwips() {
  return kLinePixels * kTwipsPerInch / QGuiApplication::primaryScreen()->logicalDotsPerInchY();
}

PageFrame Frame() {
  const double text = kLinesPerPage * LineTwips();
  return PageFrame::FromMargins(QSizeF(40000, text + 200), 100, 100, 100, 100);
}

using test::Lines;

QImage Blank(const PageFrame& frame = Frame()) {
  QImage image((frame.paper / 20).toSize(), QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// A page drawn at a twentieth of its size.
QImage Drawing(PageRecorder& pages, int page) {
  QImage image = Blank(pages.Frame());
  QPainter painter(&image);
  painter.scale(0.05, 0.05);
  pages.DrawPage(painter, page);
  return image;
}

std::unique_ptr<QTextDocument> EvenLines(int count) { return test::EvenLines(count, kLinePixels); }

std::vector<int> Starts(const PageRecorder& pages) {
  std::vector<int> starts;
  for (int page = 0; page < pages.PageCount(); ++page) starts.push_back(pages.PageStart(page));
  return starts;
}

int StartOfLine(const QTextDocument& text, int line) {
  return text.findBlockByNumber(line).position();
}

TEST(PageRecorderTest, EmptyTextMakesOneBlankPage) {
  PageRecorder pages(std::make_unique<QTextDocument>(), Frame());
  pages.Finish();
  EXPECT_EQ(pages.PageCount(), 1);
  EXPECT_EQ(pages.PageStart(0), 0);
  EXPECT_EQ(Drawing(pages, 0), Blank());
}

TEST(PageRecorderTest, APageBreakExactlyAtTheEndAddsNoEmptyPage) {
  for (const auto& [lines, expected] :
       std::vector<std::pair<int, int>>{{3, 1}, {kLinesPerPage, 1}, {kLinesPerPage + 1, 2}}) {
    PageRecorder pages(EvenLines(lines), Frame());
    pages.Finish();
    EXPECT_EQ(pages.PageCount(), expected) << lines << " lines";
  }
}

TEST(PageRecorderTest, EachPageStartsWithTheCharacterAfterThePreviousPagesLast) {
  const std::unique_ptr<QTextDocument> text = EvenLines(25);
  PageRecorder pages(std::unique_ptr<QTextDocument>(text->clone()), Frame());
  pages.Finish();
  EXPECT_EQ(Starts(pages), (std::vector<int>{0, StartOfLine(*text, 10), StartOfLine(*text, 20)}));
}

TEST(PageRecorderTest, ALineTallerThanThePageStandsAloneOnItsPageAndTheLayoutGoesOn) {
  const std::unique_ptr<QTextDocument> text =
      Lines({kLinePixels, 3 * kLinesPerPage * kLinePixels, kLinePixels});
  PageRecorder pages(std::unique_ptr<QTextDocument>(text->clone()), Frame());
  pages.Finish();
  EXPECT_EQ(Starts(pages), (std::vector<int>{0, StartOfLine(*text, 1), StartOfLine(*text, 2)}));
}

TEST(PageRecorderTest, ShortStepsMakeTheSamePagesAsOneLongRun) {
  PageRecorder whole(EvenLines(35), Frame());
  whole.Finish();
  PageRecorder stepped(EvenLines(35), Frame());
  int steps = 0;
  while (stepped.Step(0)) ++steps;
  // One paragraph per step when no time is given.
  EXPECT_GE(steps, 35);
  EXPECT_EQ(Starts(stepped), Starts(whole));
  EXPECT_EQ(stepped.PageCount(), 4);
}

// As on the sample sheet: each family's name in its own face, here twice.
TEST(PageRecorderTest, OpensEachFaceOnceAtTheResolutionOfTheLayoutAndKeepsItOpen) {
  auto text = std::make_unique<QTextDocument>();
  QTextCursor cursor(text.get());
  const QStringList families = QFontDatabase::families();
  ASSERT_GE(families.size(), 2);
  for (const QString& family : families + families) {
    if (cursor.position() > 0) cursor.insertBlock();
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(12);
    cursor.insertText(family, format);
  }
  PageRecorder pages(std::move(text), Frame());
  pages.Finish();
  QStringList opened;
  for (const QFont& font : pages.Fonts()) {
    opened << font.families().value(0);
    // 12 points in twips: 1440 per inch, 72 points per inch.
    EXPECT_EQ(QFontInfo(font).pixelSize(), 240) << font.families().value(0).toStdString();
  }
  EXPECT_EQ(opened, families);
}

// The sheet gives the characters a line's face lacks to the base face only on
// the lines it has drawn; on paper every line has them.
TEST(PageRecorderTest, CharactersALinesFaceLacksPrintInTheBaseFaceOnLinesNeverDrawn) {
  const test::InstalledSongFace song;
  auto text = std::make_unique<QTextDocument>();
  QTextCursor cursor(text.get());
  QTextCharFormat format;
  SetListedFace(format, "Tom's Type");
  cursor.insertText(QStringLiteral("Ab测试"), InOwnFaceAlone(format));  // the Song face has "测试"
  PageRecorder pages(std::move(text), Frame());
  pages.Finish();
  QStringList opened;
  for (const QFont& font : pages.Fonts()) opened << font.families().value(0);
  EXPECT_TRUE(opened.contains(QStringLiteral("Tom's Type"))) << opened.join(", ").toStdString();
  EXPECT_TRUE(opened.contains(QStringLiteral("Quillmere Song"))) << opened.join(", ").toStdString();
}

// Lines whose face lacks some of their characters ("测试" is not in Tom's
// Type) among lines whose face has all, each padded to length characters,
// centred as the sheet can be.
std::unique_ptr<QTextDocument> LinesNeedingFallback(int count, int length = 0) {
  auto text = std::make_unique<QTextDocument>();
  QTextCursor cursor(text.get());
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  cursor.setBlockFormat(centred);
  QTextCharFormat lacking, whole;
  SetListedFace(lacking, "Tom's Type");
  SetListedFace(whole, "Quillmere Test Sans");
  for (int line = 0; line < count; ++line) {
    if (line > 0) cursor.insertBlock();
    const QString number = QString::number(line).leftJustified(length, u'x');
    if (line % 2 == 0)
      cursor.insertText(QStringLiteral("Ab测试 ") + number, InOwnFaceAlone(lacking));
    else
      cursor.insertText(QStringLiteral("Ab ") + number, InOwnFaceAlone(whole));
  }
  return text;
}

// Long enough for the layout to lay out several stretches: lines given their
// fallback while being laid out land on the same pages as lines that had it
// before, and no line goes missing.
TEST(PageRecorderTest, LinesGivenTheirFallbackLandOnThePagesOfLinesThatHadItBefore) {
  const test::InstalledSongFace song;
  std::unique_ptr<QTextDocument> text = LinesNeedingFallback(1200);
  std::unique_ptr<QTextDocument> given(text->clone());
  for (QTextBlock block = given->begin(); block.isValid(); block = block.next())
    FallBackWhereFaceLacks(block);
  PageRecorder before(std::move(given), Frame());
  before.Finish();
  PageRecorder during(std::move(text), Frame());
  while (during.Step(0)) {
  }
  EXPECT_GT(during.PageCount(), 6);
  EXPECT_EQ(Starts(during), Starts(before));
}

// Every paragraph gets its fallback before the layout starts; the first
// pages come from the text's beginning laid out meanwhile, and are drawn as
// the text alone would draw them.
TEST(PageRecorderTest, TheFirstPagesComeBeforeEveryParagraphHasItsFallback) {
  const test::InstalledSongFace song;
  const int lines = 2000, length = 40;
  // Pages of a few lines, so that the beginning makes several.
  const PageFrame frame = PageFrame::FromMargins(QSizeF(40000, 3000), 100, 100, 100, 100);
  PageRecorder whole(LinesNeedingFallback(lines, length), frame);
  int steps = 0;
  while (whole.PageCount() < 2 && whole.Step(0)) ++steps;
  // One paragraph per step: fewer steps than paragraphs to give the fallback.
  EXPECT_LT(steps, lines / 2);
  PageRecorder beginning(LinesNeedingFallback(lines / 8, length), frame);
  beginning.Finish();
  ASSERT_GE(beginning.PageCount(), 2);
  for (int page = 0; page < 2; ++page) {
    EXPECT_EQ(whole.PageStart(page), beginning.PageStart(page));
    EXPECT_TRUE(Drawing(whole, page) == Drawing(beginning, page)) << "page " << page + 1;
  }
  whole.Finish();
  EXPECT_EQ(whole.PageStart(1), beginning.PageStart(1));
}

QString TestFont(const char* name) {
  return QStringLiteral(QM_TEST_FONTS_DIR "/") + QString::fromUtf8(name);
}

// A sheet's lines marked with their families, the families' faces in files
// of the test fonts: the lines of a face are drawn by the face painter.
class ListedFacePagesTest : public testing::Test {
 protected:
  ListedFacePagesTest() {
    platform_.families = {{"Sans", TestFont("QmTestSans-Regular.ttf").toStdString()},
                          {"Serif", TestFont("QmTestSerif.otf").toStdString()},
                          {"Naskh", TestFont("script/QmNaskh.ttf").toStdString()}};
  }

  static QFont Base() {
    QFont base(QStringLiteral("Quillmere Test Sans"));
    base.setPixelSize(kLinePixels / 2);  // as many twips in the layout
    return base;
  }
  // Pages of lines lines of the sheet (and a little), width twips wide.
  static PageFrame FrameOfLines(double lines, double width = 40000) {
    const double text = (lines + 0.5) * QFontMetricsF(Base()).lineSpacing();
    return PageFrame::FromMargins(QSizeF(width, text + 200), 100, 100, 100, 100);
  }

  // count lines, each naming the family of its line number's turn.
  std::unique_ptr<QTextDocument> Sheet(int count, const QString& suffix = {}) const {
    auto text = std::make_unique<QTextDocument>();
    text->setDefaultFont(Base());
    QTextCursor cursor(text.get());
    for (int line = 0; line < count; ++line) {
      const std::string& family = platform_.families[static_cast<size_t>(line) % 3].name;
      QTextCharFormat format;
      MarkListedFace(format, QByteArray::fromStdString(family));
      if (line > 0) cursor.insertBlock();
      cursor.insertText(QString::fromStdString(family) + suffix, format);
    }
    return text;
  }

  test::FakePlatform platform_;
  FaceEngine engine_;
  ListedFaceFinder finder_{platform_};
  FaceBlockPainter faces_{engine_, finder_, true};
};

// The layout opens no listed face; a page drawn opens those of its own lines,
// from the files the platform gives, and draws them.
TEST_F(ListedFacePagesTest, APageOpensOnlyTheFacesOfItsOwnLines) {
  // Page 1: lines of Sans and Serif only; page 2 starts with Naskh's.
  const PageFrame frame = FrameOfLines(2);
  PageRecorder pages(Sheet(6), frame, faces_);
  pages.Finish();
  ASSERT_GE(pages.PageCount(), 2);
  EXPECT_TRUE(engine_.OpenFaces().empty());
  const QImage first = Drawing(pages, 0);
  QStringList opened;
  for (const FaceAddress& face : engine_.OpenFaces()) opened << face.file;
  opened.sort();
  EXPECT_EQ(opened, (QStringList{TestFont("QmTestSans-Regular.ttf"), TestFont("QmTestSerif.otf")}))
      << opened.join(u' ').toStdString();
  EXPECT_NE(first, Blank(frame));
  Drawing(pages, 1);  // Naskh's line and Sans's
  EXPECT_EQ(engine_.OpenFaces().size(), 3u);
  EXPECT_EQ(engine_.OpenFaces()[1].file, TestFont("script/QmNaskh.ttf"));
}

// A line in listed faces is one line, as the box shows it: a name longer
// than the page is wide does not push the lines after it onto more pages.
TEST_F(ListedFacePagesTest, ALongLineInListedFacesIsNotWrapped) {
  const QString longer = u' ' + QString(400, u'x');
  PageRecorder wide(Sheet(25), FrameOfLines(10), faces_);
  wide.Finish();
  const PageFrame narrow = FrameOfLines(10, 3000);
  PageRecorder unwrapped(Sheet(25, longer), narrow, faces_);
  unwrapped.Finish();
  EXPECT_EQ(Starts(unwrapped).size(), Starts(wide).size());
  // The same text without faces to draw it wraps, as any text printed does.
  PageRecorder wrapped(Sheet(25, longer), narrow);
  wrapped.Finish();
  EXPECT_GT(wrapped.PageCount(), unwrapped.PageCount());
}

}  // namespace
}  // namespace qm::gui
