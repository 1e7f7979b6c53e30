// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <filesystem>

#include "gui/common/FaceEngine.h"
#include "gui/common/FaceText.h"
#include "support/FaceAddresses.h"
#include "support/FakePlatform.h"
#include "support/MappedFiles.h"

namespace qm::gui {
namespace {

QString TestFont(const char* name) {
  return QStringLiteral(QM_TEST_FONTS_DIR "/") + QString::fromUtf8(name);
}

// The test fonts draw every glyph as a frame 700 units high with a hole
// whose height depends on the glyph's number in the font: glyph 2 ('A') has
// it 206 to 306 units above the baseline, glyph 3 ('B') 259 to 359.
bool Inked(const GlyphPicture& picture, int unitsAboveBaseline, qreal pixelSize) {
  const int row = -picture.offset.y() - qRound(unitsAboveBaseline * pixelSize / 1000.0);
  return qAlpha(picture.image.pixel(picture.image.width() / 2, row)) > 128;
}

TEST(FaceEngineTest, DrawsAFaceFromItsFileWithItsOwnGlyphs) {
  FaceEngine engine;
  const std::shared_ptr<OpenedFace> face = engine.Open({TestFont("QmTestSans-Regular.ttf"), 0});
  ASSERT_NE(face, nullptr);
  EXPECT_TRUE(face->Covers(U'A'));
  EXPECT_FALSE(face->Covers(U'测'));

  // 600 units a letter at 100 pixels an em.
  const ShapedRun run = face->Shape(QStringLiteral("AB"), 100);
  ASSERT_EQ(run.glyphs.size(), 2u);
  EXPECT_EQ(run.glyphs[0].id, 2u);
  EXPECT_DOUBLE_EQ(run.glyphs[1].position.x(), 60);
  EXPECT_DOUBLE_EQ(run.advance, 120);

  const GlyphPicture a = engine.Glyph(*face, 2, 100, {}, Qt::black);
  const GlyphPicture b = engine.Glyph(*face, 3, 100, {}, Qt::black);
  ASSERT_FALSE(a.image.isNull());
  EXPECT_NEAR(a.image.height(), 70, 2);
  EXPECT_TRUE(Inked(a, 650, 100) && Inked(b, 650, 100));  // the frame's top
  EXPECT_FALSE(Inked(a, 256, 100));                       // each glyph's own hole
  EXPECT_TRUE(Inked(b, 220, 100));
  EXPECT_FALSE(Inked(b, 330, 100));
  // Drawn in the colour asked for, and a style the face lacks made from it.
  EXPECT_EQ(QColor(engine.Glyph(*face, 2, 100, {}, Qt::red).image.pixel(a.image.width() / 2, 1)),
            QColor(Qt::red));
  EXPECT_GT(engine.Glyph(*face, 2, 100, {.emboldened = true}, Qt::black).image.width(),
            a.image.width());
  EXPECT_GT(engine.Glyph(*face, 2, 100, {.slanted = true}, Qt::black).image.width(),
            a.image.width());
}

TEST(FaceEngineTest, OpensEachFaceOfACollectionAndRefusesWhatIsNoFace) {
  FaceEngine engine;
  EXPECT_NE(engine.Open({TestFont("QmPair.ttc"), 0}), nullptr);
  EXPECT_NE(engine.Open({TestFont("QmPair.ttc"), 1}), nullptr);
  EXPECT_EQ(engine.Open({TestFont("QmPair.ttc"), 2}), nullptr);
  for (const char* broken :
       {"Broken-Empty.ttf", "Broken-Truncated.ttf", "Broken-NotAFont.ttf", "no-such-file.ttf"})
    EXPECT_EQ(engine.Open({TestFont(broken), 0}), nullptr) << broken;
  EXPECT_EQ(engine.Open({QString(), 0}), nullptr);
  EXPECT_EQ(engine.OpenFaces().size(), 2u);
}

// Paging through thousands of fonts opens each once; the cache lets the
// faces of lines long gone go, and their files with them.
TEST(FaceEngineTest, KeepsAtMostItsBoundOfFacesOpenAndLetsTheirFilesGo) {
  QTemporaryDir folder;
  const std::size_t count = FaceEngine::kMaxFaces + 8;
  for (std::size_t i = 0; i < count; ++i)
    ASSERT_TRUE(
        QFile::copy(TestFont("QmAmp.ttf"), folder.filePath(QStringLiteral("Paged-%1.ttf").arg(i))));
  FaceEngine engine;
  for (std::size_t i = 0; i < count; ++i)
    ASSERT_NE(engine.Open({folder.filePath(QStringLiteral("Paged-%1.ttf").arg(i)), 0}), nullptr);
  EXPECT_EQ(engine.OpenFaces().size(), FaceEngine::kMaxFaces);
  EXPECT_FALSE(test::FileMapped("Paged-0.ttf"));
  EXPECT_TRUE(test::FileMapped(QStringLiteral("Paged-%1.ttf").arg(count - 1)));
  // The most recently used stays: opening the first again puts it in front.
  const FaceAddress first{folder.filePath(QStringLiteral("Paged-%1.ttf").arg(count - 1)), 0};
  engine.Open(first);
  EXPECT_EQ(engine.OpenFaces().front(), first);
  engine.Forget();
  EXPECT_TRUE(engine.OpenFaces().empty());
  EXPECT_FALSE(test::FileMapped(QStringLiteral("Paged-%1.ttf").arg(count - 1)));
}

// Closing many faces leaves work for when the window is idle; an engine gone
// by then leaves none behind.
TEST(FaceEngineTest, WorkLeftForIdleTimeEndsWithTheEngine) {
  {
    FaceEngine engine;
    QTemporaryDir folder;
    for (std::size_t i = 0; i < FaceEngine::kMaxFaces + FaceEngine::kMaxFaces / 2; ++i) {
      const QString copy = folder.filePath(QStringLiteral("Gone-%1.ttf").arg(i));
      ASSERT_TRUE(QFile::copy(TestFont("QmAmp.ttf"), copy));
      ASSERT_NE(engine.Open({copy, 0}), nullptr);
    }
  }
  // Under the sanitizers, a use of the engine gone would show here.
  QCoreApplication::processEvents();
  EXPECT_FALSE(test::FileMapped("Gone-0.ttf"));
  EXPECT_FALSE(test::FileMapped(QStringLiteral("Gone-%1.ttf").arg(FaceEngine::kMaxFaces)));
}

TEST(FaceTextTest, CharactersTheFaceLacksGoToTheBaseFont) {
  FaceEngine engine;
  const auto face = engine.Open({TestFont("QmQuote.ttf"), 0});
  ASSERT_NE(face, nullptr);
  QFont base(QStringLiteral("Quillmere Song"));
  base.setPixelSize(40);
  FaceLine line;
  AppendInFace(line, face, QStringLiteral("Zz 测试 Aa"), base, {});
  ASSERT_EQ(line.pieces.size(), 3u);
  EXPECT_EQ(line.pieces[0].text, "Zz ");
  EXPECT_EQ(line.pieces[0].face, face);
  EXPECT_EQ(line.pieces[1].text, "测试 ");
  EXPECT_EQ(line.pieces[1].face, nullptr);
  EXPECT_EQ(line.pieces[2].text, "Aa");
  EXPECT_EQ(line.pieces[2].face, face);
  // Each piece starts where the one before ends.
  EXPECT_DOUBLE_EQ(line.pieces[0].width, 58);  // 600, 600 and 250 units at 40 pixels an em
  EXPECT_DOUBLE_EQ(line.pieces[1].x, line.pieces[0].width);
  EXPECT_DOUBLE_EQ(line.width, line.pieces[2].x + line.pieces[2].width);
}

TEST(FaceTextTest, AFaceWithoutTheLettersOfItsNameShowsItsOwnCharacters) {
  FaceEngine engine;
  const auto naskh = engine.Open({TestFont("script/QmNaskh.ttf"), 0});
  const auto symbols = engine.Open({TestFont("script/QmSymbols.ttf"), 0});
  const auto latin = engine.Open({TestFont("QmTestSans-Regular.ttf"), 0});
  ASSERT_TRUE(naskh && symbols && latin);
  EXPECT_EQ(OwnScriptTextFor(*naskh, QStringLiteral("Quillmere Naskh")), "أبجد هوز");
  EXPECT_EQ(OwnScriptTextFor(*symbols, QStringLiteral("Quillmere Symbols")), "☀☁☂☃☄★☆☎");
  EXPECT_EQ(OwnScriptTextFor(*latin, QStringLiteral("Quillmere Test Sans")), "");
  // A symbol font mapping the letters' codes to its symbols spells no name:
  // it shows its symbols beside the name, which the base face writes.
  const auto pictographs = engine.Open({TestFont("script/QmPictographs.ttf"), 0});
  ASSERT_NE(pictographs, nullptr);
  EXPECT_TRUE(pictographs->Covers(U'Q'));
  EXPECT_FALSE(pictographs->WritesLetters());
  EXPECT_TRUE(latin->WritesLetters());
  EXPECT_EQ(OwnScriptTextFor(*pictographs, QStringLiteral("Quillmere Pictographs")), "ABCDEFGHIJ");
  // Punctuation a face lacks does not count against it: only letters do.
  EXPECT_EQ(OwnScriptTextFor(*latin, QStringLiteral("Quillmere Test Sans (Web)!")), "");
}

// A page draws the line a box shows, sized for the page's resolution:
// points become the page's pixels, and the sample added for a face that
// cannot write its name is no text of the line.
TEST(FaceTextTest, APageLaysTheLineOutAtItsOwnResolution) {
  test::FakePlatform platform;
  platform.families = {{"Naskh", TestFont("script/QmNaskh.ttf").toStdString()},
                       {"Sans", TestFont("QmTestSans-Regular.ttf").toStdString()}};
  FaceEngine engine;
  ListedFaceFinder finder(platform);
  QTextDocument document;
  QTextCursor cursor(&document);
  for (const char* name : {"Sans", "Naskh"}) {
    QTextCharFormat format;
    MarkListedFace(format, name);
    if (!cursor.atStart()) cursor.insertBlock();
    cursor.insertText(QString::fromUtf8(name), format);
  }
  QFont base(QStringLiteral("Quillmere Test Sans"));
  base.setPointSize(12);
  const FaceBlockPainter screen(engine, finder, true);
  FaceBlockPainter page = screen.ForPages(1440);
  const FaceLine sans = page.LayOut(document.firstBlock(), base);
  ASSERT_EQ(sans.pieces.size(), 1u);
  EXPECT_DOUBLE_EQ(sans.pieces[0].pixelSize, 240);  // 12 points of 20 twips
  EXPECT_DOUBLE_EQ(sans.width, 4 * 0.6 * 240);
  EXPECT_TRUE(sans.pieces[0].ofText);
  const FaceLine naskh = page.LayOut(document.lastBlock(), base);
  ASSERT_GE(naskh.pieces.size(), 3u);
  EXPECT_TRUE(naskh.pieces.front().ofText);
  EXPECT_FALSE(naskh.pieces.back().ofText);
  EXPECT_EQ(naskh.pieces.back().text, "أبجد هوز");
  EXPECT_NE(naskh.pieces.back().face, nullptr);
  EXPECT_TRUE(FaceBlockPainter::DrawsBlock(document.firstBlock()));
}

// Pages draw glyphs as outlines: the face's own shapes, at any size.
TEST(FaceEngineTest, OutlinesAreTheFacesOwnShapes) {
  FaceEngine engine;
  const std::shared_ptr<OpenedFace> face = engine.Open({TestFont("QmTestSans-Regular.ttf"), 0});
  ASSERT_NE(face, nullptr);
  const std::optional<QPainterPath> a = engine.GlyphOutline(*face, 2, 1000, {});
  const std::optional<QPainterPath> b = engine.GlyphOutline(*face, 3, 1000, {});
  ASSERT_TRUE(a && b);
  EXPECT_NEAR(a->boundingRect().height(), 700, 1);
  const qreal middle = a->boundingRect().center().x();
  // Upwards is negative: the frame's top, then each glyph's own hole.
  EXPECT_TRUE(a->contains(QPointF(middle, -650)) && b->contains(QPointF(middle, -650)));
  EXPECT_FALSE(a->contains(QPointF(middle, -256)));
  EXPECT_TRUE(b->contains(QPointF(middle, -220)));
  EXPECT_FALSE(b->contains(QPointF(middle, -330)));
  EXPECT_GT(engine.GlyphOutline(*face, 2, 1000, {.slanted = true})->boundingRect().width(),
            a->boundingRect().width() + 100);
  EXPECT_NEAR(engine.GlyphOutline(*face, 2, 10, {})->boundingRect().height(), 7, 0.1);
}

}  // namespace
}  // namespace qm::gui
