// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text written in a listed family's own face, by the face engine: laid out
// in pieces (the face's own, and the base face's for the characters the face
// lacks) and drawn with the toolkit's painter. A face that cannot draw the
// letters of its name adds a short text in its own script, so that the
// person sees the face's own glyphs.

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QString>
#include <QTextCharFormat>
#include <QTextFormat>
#include <memory>
#include <vector>

#include "core/platform/Platform.h"
#include "gui/common/FaceEngine.h"

class QPainter;
class QTextBlock;

namespace qm::gui {

// Where a char format keeps the real name of the family whose own face
// draws its text (a QByteArray); text without it is the box's own.
inline constexpr int kListedFaceProperty = QTextFormat::UserProperty + 0x52;

// Marks format's text to be drawn in the face of the family of realName.
void MarkListedFace(QTextCharFormat& format, const QByteArray& realName);

// The face each listed family draws in, in each style, by asking the
// platform once per family and style.
class ListedFaceFinder {
 public:
  explicit ListedFaceFinder(platform::Platform& platform) : platform_(platform) {}
  platform::FaceLocation Find(const QByteArray& realName, bool bold, bool italic);
  // The installed fonts were read anew.
  void Forget() { found_.clear(); }

 private:
  platform::Platform& platform_;
  QHash<QString, platform::FaceLocation> found_;  // by name and style
};

struct LineLook {
  QColor colour = Qt::black;
  bool underline = false;
  GlyphLook glyphs;  // for the face's own pieces: the styles it lacks
};

struct LinePiece {
  std::shared_ptr<OpenedFace> face;  // nullptr: drawn by the toolkit in font
  QString text;                      // what the piece writes
  std::vector<ShapedGlyph> glyphs;   // the face's glyphs, from the piece's start
  QFont font;  // the toolkit's: draws the text the face lacks, and a page's unseen text
  qreal pixelSize = 0;
  LineLook look;
  qreal x = 0;  // from the line's start
  qreal width = 0;
  bool ofText = true;  // writes the text, not the own-script sample added to it
};

struct FaceLine {
  std::vector<LinePiece> pieces;
  qreal width = 0;
};

// Appends text drawn by the toolkit in font.
void AppendInFont(FaceLine& line, const QString& text, const QFont& font, const LineLook& look);
// Appends text in face at font's pixel size; characters the face lacks are
// drawn in font.
void AppendInFace(FaceLine& line, const std::shared_ptr<OpenedFace>& face, const QString& text,
                  const QFont& font, const LineLook& look);
// What a face shows when it cannot draw the letters of name: a short text
// in its own script; empty when it can.
QString OwnScriptTextFor(OpenedFace& face, const QString& name);

// How glyphs reach the painter: as the pictures the screen shows, or as
// outlines for a page, which stay sharp at any scale and in print; a page's
// glyphs in listed faces also carry their text, unseen, for a reader of the
// printed file to find and copy.
enum class GlyphDrawing { Pictures, Outlines };

// Draws line with its start on the baseline at origin.
void DrawFaceLine(QPainter& painter, FaceEngine& engine, QPointF origin, const FaceLine& line,
                  GlyphDrawing drawing = GlyphDrawing::Pictures);

// Text in one format: a fragment of a block, or a line of its own.
struct TextRun {
  QString text;
  QTextCharFormat format;
};

// Draws a block of a rich-text box whose text in listed faces carries
// kListedFaceProperty, fragment after fragment, inside rect (the block's
// place in the box).
class FaceBlockPainter {
 public:
  // ownScript: a face that cannot write its family's name adds a text of
  // its own script after the block.
  FaceBlockPainter(FaceEngine& engine, ListedFaceFinder& finder, bool ownScript)
      : engine_(engine), finder_(finder), ownScript_(ownScript) {}
  // The same painter for pages laid out at dotsPerInch: sizes in points
  // become pixels of the page, glyphs are drawn as outlines.
  FaceBlockPainter ForPages(qreal dotsPerInch) const;
  // Whether block has text in a listed face, which this painter draws.
  static bool DrawsBlock(const QTextBlock& block);
  // baseline: from rect's top; the block is centred in rect's width when
  // its alignment says so.
  void Draw(QPainter& painter, const QTextBlock& block, const QRectF& rect, qreal baseline,
            const QFont& boxFont);
  FaceLine LayOut(const QTextBlock& block, const QFont& boxFont);
  // A line of runs, as a block of them would be.
  FaceLine LayOut(const std::vector<TextRun>& runs, const QFont& boxFont);
  // Draws line inside rect, centred in its width when centred says so.
  void DrawLine(QPainter& painter, const FaceLine& line, const QRectF& rect, qreal baseline,
                bool centred);

 private:
  FaceEngine& engine_;
  ListedFaceFinder& finder_;
  bool ownScript_;
  qreal pageDotsPerInch_ = 0;  // 0: the screen's
};

}  // namespace qm::gui
