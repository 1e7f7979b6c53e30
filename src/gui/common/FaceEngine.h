// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Faces opened by their file and face index, as fontconfig lists them, never
// by a family name: every listed font is drawn in exactly its own face.
// FreeType reads the face (mapping its file), HarfBuzz shapes text in it and
// the glyphs FreeType renders are kept as pictures. Open faces are kept in a
// cache bounded by count; glyph pictures in one bounded by bytes.

#include <QCache>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QPainterPath>
#include <QPoint>
#include <QPointF>
#include <QString>
#include <cstddef>
#include <list>
#include <memory>
#include <optional>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;
struct hb_font_t;

namespace qm::gui {

struct FaceAddress {
  QString file;
  int index = 0;
  friend bool operator==(const FaceAddress&, const FaceAddress&) = default;
};

// How glyphs are rendered beyond their size: the style the face lacks is
// made from it.
struct GlyphLook {
  bool emboldened = false;
  bool slanted = false;
  friend bool operator==(const GlyphLook&, const GlyphLook&) = default;
};

// One glyph rendered: its picture in the wanted colour, and where the
// picture's corner lies from the pen position.
struct GlyphPicture {
  QImage image;
  QPoint offset;
};

struct ShapedGlyph {
  unsigned id = 0;
  QPointF position;
};

struct ShapedRun {
  std::vector<ShapedGlyph> glyphs;
  qreal advance = 0;
};

class OpenedFace {
 public:
  // nullptr when the file cannot be read as a font or has no such face.
  static std::unique_ptr<OpenedFace> Open(FT_LibraryRec_* library, const FaceAddress& address);
  ~OpenedFace();
  OpenedFace(const OpenedFace&) = delete;
  OpenedFace& operator=(const OpenedFace&) = delete;

  const FaceAddress& Address() const { return address_; }
  bool Covers(char32_t character) const;
  // Whether the face writes Latin letters as letters. A symbol font maps
  // the codes of letters to symbols of its own (its own encoding, or glyphs
  // named otherwise), which spell no name.
  bool WritesLetters() const;
  // The first characters the face maps, in code point order.
  std::vector<char32_t> FirstCharacters(std::size_t most) const;

  // text shaped in the face at pixelSize: glyphs placed from the pen
  // position, and the advance of the whole.
  ShapedRun Shape(const QString& text, qreal pixelSize);

  // Renders glyph at pixelSize; a null image for a glyph with no ink or that
  // cannot be rendered.
  GlyphPicture Render(unsigned glyph, qreal pixelSize, const GlyphLook& look, QColor colour);
  // The glyph's outline at pixelSize, y downwards from the pen position;
  // nothing for a glyph that is no outline (a bitmap face's), which only
  // Render draws.
  std::optional<QPainterPath> Outline(unsigned glyph, qreal pixelSize, const GlyphLook& look);

 private:
  OpenedFace() = default;
  // Outline faces HarfBuzz cannot read itself are shaped at this size.
  static constexpr qreal kShapingPixels = 256;

  bool SetSize(qreal pixelSize);
  bool SetShapingSize();

  FaceAddress address_;
  FT_FaceRec_* face_ = nullptr;
  hb_font_t* shaper_ = nullptr;
  qreal shapingPixels_ = 0;      // the size FreeType measures at for the shaper
  bool shapesWithFace_ = false;  // the shaper asks FreeType, at shapingPixels_
  qreal unitsPerEm_ = 1;         // the shaper's units in an em
  qreal renderPixels_ = -1;      // the size last set on the face
  qreal strikeScale_ = 1;        // from the size set to the one wanted (a bitmap face's strike)
};

class FaceEngine {
 public:
  // Enough for the pages around the one shown: a page of the sheet holds
  // some 30 lines, of glyphs of a few hundred bytes each.
  static constexpr std::size_t kMaxFaces = 64;
  static constexpr qsizetype kGlyphCacheBytes = qsizetype{8} << 20;

  FaceEngine();
  ~FaceEngine();
  FaceEngine(const FaceEngine&) = delete;
  FaceEngine& operator=(const FaceEngine&) = delete;

  // The opened face, from the cache when it is there; nullptr when the face
  // cannot be opened (remembered until Forget).
  std::shared_ptr<OpenedFace> Open(const FaceAddress& address);
  // A glyph's picture, rendered once and then kept while there is room.
  GlyphPicture Glyph(OpenedFace& face, unsigned glyph, qreal pixelSize, const GlyphLook& look,
                     QColor colour);
  // A glyph's outline, likewise kept (pages, printed or previewed, draw outlines).
  std::optional<QPainterPath> GlyphOutline(OpenedFace& face, unsigned glyph, qreal pixelSize,
                                           const GlyphLook& look);
  // Lets go of every face and picture (fonts were installed or removed).
  void Forget();
  // The faces open now, the most recently used first.
  std::vector<FaceAddress> OpenFaces() const;

 private:
  struct Entry {
    QString key;
    std::shared_ptr<OpenedFace> face;
  };

  void ReturnMemoryWhenIdle();

  FT_LibraryRec_* library_ = nullptr;
  std::size_t closedSinceReturn_ = 0;
  bool returnPending_ = false;
  QObject idleWork_;      // what waits for the window to be idle goes with the engine
  std::list<Entry> lru_;  // most recently used first
  QHash<QString, std::list<Entry>::iterator> byKey_;
  QHash<QString, bool> unreadable_;
  QCache<QString, GlyphPicture> glyphs_{kGlyphCacheBytes};
  QCache<QString, std::optional<QPainterPath>> outlines_{kGlyphCacheBytes};
};

}  // namespace qm::gui
