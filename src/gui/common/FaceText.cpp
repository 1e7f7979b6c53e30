// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/FaceText.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextLayout>
#include <algorithm>

#include "core/faces/OwnScriptSample.h"

namespace qm::gui {
namespace {

// The name as text, beside the bytes kListedFaceProperty keeps.
constexpr int kListedFaceKeyProperty = QTextFormat::UserProperty + 0x53;

QString FaceKey(const QByteArray& realName, bool bold, bool italic) {
  return QString::fromUtf8(realName) + u'\n' + QChar(u'0' + int(bold) * 2 + int(italic));
}

// What a face of Latin letters shows beside a name in another script.
constexpr std::u32string_view kLatinSample = U"AaBbCc";

std::u32string ToUtf32(const QString& text) {
  const QList<uint> codes = text.toUcs4();
  return std::u32string(codes.begin(), codes.end());
}

// As the toolkit sizes text on the screen: points at the screen's logical resolution.
qreal PixelSizeOf(const QFont& font) {
  if (font.pixelSize() > 0) return font.pixelSize();
  const QScreen* screen = QGuiApplication::primaryScreen();
  return font.pointSizeF() * (screen ? screen->logicalDotsPerInchY() : 96.0) / 72.0;
}

// font sized in pixels of a page at dotsPerInch: a page is drawn on painters
// of any resolution, which would each size points their own way. Text a
// script does not need shaped is not: a PDF file maps its glyphs back to
// text through the font's character map, which a glyph substituted by
// shaping is missing from (a CJK face's digits would be lost).
QFont OnPage(QFont font, qreal dotsPerInch) {
  if (font.pixelSize() <= 0)
    font.setPixelSize(std::max(1, qRound(font.pointSizeF() * dotsPerInch / 72.0)));
  font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
  return font;
}

// text at origin in font, unseen: the text of glyphs drawn as outlines.
void DrawUnseenText(QPainter& painter, QPointF origin, const QString& text, const QFont& font) {
  painter.setFont(font);
  painter.setPen(Qt::transparent);
  painter.drawText(origin, text);
}

void DrawGlyphs(QPainter& painter, FaceEngine& engine, QPointF start, const LinePiece& piece,
                GlyphDrawing drawing) {
  for (const ShapedGlyph& glyph : piece.glyphs) {
    const QPointF pen = start + glyph.position;
    if (drawing == GlyphDrawing::Outlines) {
      if (const std::optional<QPainterPath> outline =
              engine.GlyphOutline(*piece.face, glyph.id, piece.pixelSize, piece.look.glyphs)) {
        if (outline->isEmpty()) continue;
        painter.translate(pen);
        painter.fillPath(*outline, piece.look.colour);
        painter.translate(-pen);
        continue;
      }
    }
    const GlyphPicture picture =
        engine.Glyph(*piece.face, glyph.id, piece.pixelSize, piece.look.glyphs, piece.look.colour);
    if (picture.image.isNull()) continue;
    // On the screen a picture sits on whole pixels, as it was rendered for them.
    const QPointF corner = drawing == GlyphDrawing::Outlines
                               ? pen + QPointF(picture.offset)
                               : QPointF(std::round(pen.x()) + picture.offset.x(),
                                         std::round(pen.y()) + picture.offset.y());
    painter.drawImage(corner, picture.image);
  }
}

// Calls piece(from, length, inFace) for the runs of text the face has and
// lacks. A space or mark stays with the run before it where that run can
// draw it, as it shapes with it.
template <typename Piece>
void SplitByCoverage(OpenedFace& face, const QString& text, Piece piece) {
  qsizetype start = 0;
  bool runInFace = true;
  for (qsizetype at = 0; at < text.size();) {
    char32_t character = text[at].unicode();
    qsizetype length = 1;
    if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
      character = QChar::surrogateToUcs4(text[at], text[at + 1]);
      length = 2;
    }
    const bool covered = face.Covers(character);
    const bool neutral =
        QChar::isSpace(character) || QChar::category(character) == QChar::Mark_NonSpacing;
    if (at == 0) {
      runInFace = covered;
    } else if (!(neutral && (covered || !runInFace)) && covered != runInFace) {
      piece(start, at - start, runInFace);
      start = at;
      runInFace = covered;
    }
    at += length;
  }
  if (start < text.size()) piece(start, text.size() - start, runInFace);
}

void AddPiece(FaceLine& line, LinePiece piece) {
  piece.x = line.width;
  line.width += piece.width;
  line.pieces.push_back(std::move(piece));
}

}  // namespace

void MarkListedFace(QTextCharFormat& format, const QByteArray& realName) {
  format.setProperty(kListedFaceProperty, realName);
  // The toolkit's format collection hashes a byte array by its type alone,
  // so a sheet of N lines, each a format of its own, would take N² format
  // comparisons to write; the name as text tells the formats apart in the
  // hash. Nothing reads it.
  format.setProperty(kListedFaceKeyProperty, QString::fromUtf8(realName));
}

platform::FaceLocation ListedFaceFinder::Find(const QByteArray& realName, bool bold, bool italic) {
  const QString key = FaceKey(realName, bold, italic);
  const auto found = found_.constFind(key);
  if (found != found_.constEnd()) return *found;
  return *found_.insert(key, platform_.StyledFaceOf(realName.toStdString(), bold, italic));
}

void AppendInFont(FaceLine& line, const QString& text, const QFont& font, const LineLook& look) {
  if (text.isEmpty()) return;
  LinePiece piece;
  piece.text = text;
  piece.font = font;
  piece.look = look;
  piece.width = QFontMetricsF(font).horizontalAdvance(text);
  AddPiece(line, std::move(piece));
}

void AppendInFace(FaceLine& line, const std::shared_ptr<OpenedFace>& face, const QString& text,
                  const QFont& font, const LineLook& look) {
  if (!face) {
    AppendInFont(line, text, font, look);
    return;
  }
  const qreal pixelSize = PixelSizeOf(font);
  SplitByCoverage(*face, text, [&](qsizetype from, qsizetype length, bool inFace) {
    const QString part = text.mid(from, length);
    if (!inFace) {
      AppendInFont(line, part, font, look);
      return;
    }
    ShapedRun run = face->Shape(part, pixelSize);
    LinePiece piece;
    piece.face = face;
    piece.font = font;
    piece.text = part;
    piece.glyphs = std::move(run.glyphs);
    piece.pixelSize = pixelSize;
    piece.look = look;
    piece.width = run.advance;
    AddPiece(line, std::move(piece));
  });
}

QString OwnScriptTextFor(OpenedFace& face, const QString& name) {
  const auto covers = [&face](char32_t character) { return face.Covers(character); };
  // Only the letters and digits count: a bracket the face lacks is drawn in
  // the base face without hiding the face's own look.
  std::u32string letters = ToUtf32(name);
  std::erase_if(letters, [](char32_t c) { return !QChar::isLetterOrNumber(c); });
  if (face.WritesLetters() && faces::CoversText(covers, letters)) return {};
  if (face.WritesLetters() && faces::CoversText(covers, kLatinSample))
    return QString::fromUcs4(kLatinSample.data(), static_cast<qsizetype>(kLatinSample.size()));
  const std::u32string sample = faces::OwnScriptSample(covers, {}, face.FirstCharacters(64));
  return QString::fromUcs4(sample.data(), static_cast<qsizetype>(sample.size()));
}

void DrawFaceLine(QPainter& painter, FaceEngine& engine, QPointF origin, const FaceLine& line,
                  GlyphDrawing drawing) {
  for (const LinePiece& piece : line.pieces) {
    const QPointF start = origin + QPointF(piece.x, 0);
    if (!piece.face) {
      painter.setFont(piece.font);
      painter.setPen(piece.look.colour);
      painter.drawText(start, piece.text);
      continue;
    }
    if (drawing == GlyphDrawing::Outlines && piece.ofText)
      DrawUnseenText(painter, start, piece.text, piece.font);
    DrawGlyphs(painter, engine, start, piece, drawing);
    if (piece.look.underline) {
      const qreal thickness = std::max<qreal>(1.0, piece.pixelSize / 16.0);
      painter.fillRect(QRectF(start.x(), start.y() + piece.pixelSize / 8.0, piece.width, thickness),
                       piece.look.colour);
    }
  }
}

FaceBlockPainter FaceBlockPainter::ForPages(qreal dotsPerInch) const {
  FaceBlockPainter pages = *this;
  pages.pageDotsPerInch_ = dotsPerInch;
  return pages;
}

bool FaceBlockPainter::DrawsBlock(const QTextBlock& block) {
  for (auto it = block.begin(); !it.atEnd(); ++it)
    if (it.fragment().charFormat().hasProperty(kListedFaceProperty)) return true;
  return false;
}

FaceLine FaceBlockPainter::LayOut(const QTextBlock& block, const QFont& boxFont) {
  std::vector<TextRun> runs;
  for (auto it = block.begin(); !it.atEnd(); ++it)
    runs.push_back({it.fragment().text(), it.fragment().charFormat()});
  return LayOut(runs, boxFont);
}

FaceLine FaceBlockPainter::LayOut(const std::vector<TextRun>& runs, const QFont& boxFont) {
  FaceLine line;
  std::shared_ptr<OpenedFace> namedFace;
  QString name;
  QFont lastFont = pageDotsPerInch_ > 0 ? OnPage(boxFont, pageDotsPerInch_) : boxFont;
  LineLook lastLook;
  for (const TextRun& run : runs) {
    const QTextCharFormat& format = run.format;
    QFont font = format.font().resolve(boxFont);
    if (pageDotsPerInch_ > 0) font = OnPage(font, pageDotsPerInch_);
    LineLook look;
    look.colour = format.foreground().style() == Qt::NoBrush ? QColor(Qt::black)
                                                             : format.foreground().color();
    look.underline = format.fontUnderline();
    lastFont = font;
    lastLook = look;
    const QByteArray realName = format.property(kListedFaceProperty).toByteArray();
    if (realName.isEmpty()) {
      AppendInFont(line, run.text, font, look);
      continue;
    }
    const bool bold = font.weight() >= QFont::DemiBold;
    const platform::FaceLocation location = finder_.Find(realName, bold, font.italic());
    const std::shared_ptr<OpenedFace> face =
        engine_.Open({QString::fromStdString(location.file), location.index});
    look.glyphs = {location.synthesizeBold, location.synthesizeItalic};
    lastLook = look;
    // A symbol font's codes are no letters: the name is written in the
    // base face, followed by the font's own symbols.
    if (face && face->WritesLetters())
      AppendInFace(line, face, run.text, font, look);
    else
      AppendInFont(line, run.text, font, look);
    if (face && name.isEmpty()) {
      namedFace = face;
      name = QString::fromUtf8(realName);
    }
  }
  if (namedFace && ownScript_) {
    const QString own = OwnScriptTextFor(*namedFace, name);
    if (!own.isEmpty()) {
      const std::size_t textPieces = line.pieces.size();
      AppendInFont(line, QStringLiteral("  "), lastFont, lastLook);
      AppendInFace(line, namedFace, own, lastFont, lastLook);
      for (std::size_t piece = textPieces; piece < line.pieces.size(); ++piece)
        line.pieces[piece].ofText = false;
    }
  }
  return line;
}

void FaceBlockPainter::Draw(QPainter& painter, const QTextBlock& block, const QRectF& rect,
                            qreal baseline, const QFont& boxFont) {
  DrawLine(painter, LayOut(block, boxFont), rect, baseline,
           (block.blockFormat().alignment() & Qt::AlignHCenter) != 0);
}

void FaceBlockPainter::DrawLine(QPainter& painter, const FaceLine& line, const QRectF& rect,
                                qreal baseline, bool centred) {
  const qreal x = centred ? rect.left() + (rect.width() - line.width) / 2 : rect.left();
  DrawFaceLine(painter, engine_, QPointF(x, rect.top() + baseline), line,
               pageDotsPerInch_ > 0 ? GlyphDrawing::Outlines : GlyphDrawing::Pictures);
}

}  // namespace qm::gui
