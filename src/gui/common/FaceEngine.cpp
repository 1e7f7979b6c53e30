// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/FaceEngine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_BITMAP_H
#include <hb-ft.h>
#include <hb.h>

#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "core/platform/Memory.h"

namespace qm::gui {
namespace {

QString FaceKey(const FaceAddress& address) {
  return address.file + u'\n' + QString::number(address.index);
}

QString GlyphKey(const OpenedFace& face, unsigned glyph, qreal pixelSize, const GlyphLook& look) {
  return FaceKey(face.Address()) + u'\n' + QString::number(glyph) + u'\n' +
         QString::number(pixelSize) + u'\n' +
         QString::number(int(look.emboldened) * 2 + int(look.slanted));
}

// A point of FreeType's outline, in 26.6 units, y upwards.
QPointF PointOf(const FT_Vector* at) {
  return QPointF(static_cast<qreal>(at->x) / 64.0, -static_cast<qreal>(at->y) / 64.0);
}

// FreeType's outline as a path, in pixels, y downwards.
QPainterPath PathOf(const FT_Outline& outline) {
  FT_Outline_Funcs steps{};
  steps.move_to = [](const FT_Vector* to, void* path) {
    static_cast<QPainterPath*>(path)->moveTo(PointOf(to));
    return 0;
  };
  steps.line_to = [](const FT_Vector* to, void* path) {
    static_cast<QPainterPath*>(path)->lineTo(PointOf(to));
    return 0;
  };
  steps.conic_to = [](const FT_Vector* control, const FT_Vector* to, void* path) {
    static_cast<QPainterPath*>(path)->quadTo(PointOf(control), PointOf(to));
    return 0;
  };
  steps.cubic_to = [](const FT_Vector* first, const FT_Vector* second, const FT_Vector* to,
                      void* path) {
    static_cast<QPainterPath*>(path)->cubicTo(PointOf(first), PointOf(second), PointOf(to));
    return 0;
  };
  QPainterPath path;
  path.setFillRule((outline.flags & FT_OUTLINE_EVEN_ODD_FILL) ? Qt::OddEvenFill : Qt::WindingFill);
  if (FT_Outline_Decompose(const_cast<FT_Outline*>(&outline), &steps, &path) != 0) return {};
  if (!path.isEmpty()) path.closeSubpath();
  return path;
}

// A bitmap face's strike nearest to pixelSize, preferring larger ones.
int NearestStrike(FT_Face face, qreal pixelSize) {
  int best = 0;
  qreal bestDistance = 1e9;
  for (int i = 0; i < face->num_fixed_sizes; ++i) {
    const qreal ppem = static_cast<qreal>(face->available_sizes[i].y_ppem) / 64.0;
    const qreal distance = std::abs(ppem - pixelSize) + (ppem < pixelSize ? 0.5 : 0.0);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

// Converts a rendered FreeType bitmap to a picture of colour; nothing for a
// format it cannot use.
QImage PictureOf(const FT_Bitmap& bitmap, QColor colour, qreal scale) {
  const int width = static_cast<int>(bitmap.width);
  const int height = static_cast<int>(bitmap.rows);
  // Rendered bitmaps run downwards; another layout is none this reads.
  if (width <= 0 || height <= 0 || bitmap.pitch <= 0) return {};
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  const int red = colour.red(), green = colour.green(), blue = colour.blue();
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      int alpha = 0;
      if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
        alpha = row[x];
      else if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
        alpha = (row[x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
      else if (bitmap.pixel_mode == FT_PIXEL_MODE_BGRA) {  // colour glyphs keep their colours
        const unsigned char* pixel = row + 4 * x;
        out[x] = qRgba(pixel[2], pixel[1], pixel[0], pixel[3]);
        continue;
      }
      out[x] = qRgba(red * alpha / 255, green * alpha / 255, blue * alpha / 255, alpha);
    }
  }
  if (scale != 1.0)
    image = image.scaled(std::max(1, qRound(width * scale)), std::max(1, qRound(height * scale)),
                         Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return image;
}

// Makes the outline loaded in slot bolder or slanted, as a face lacking
// that style is drawn.
void Restyle(FT_Face face, const GlyphLook& look) {
  FT_GlyphSlot slot = face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return;
  if (look.slanted) {
    FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees, as italics lean
    FT_Outline_Transform(&slot->outline, &shear);
  }
  if (look.emboldened) {
    const FT_Pos strength = FT_MulFix(face->units_per_EM, face->size->metrics.y_scale) / 24;
    FT_Outline_Embolden(&slot->outline, strength);
  }
}

// A glyph many times the size asked for is a broken font's: rendering it
// would take the memory of a huge picture for nothing a line can show.
bool WithinReason(FT_GlyphSlot slot, qreal pixelSize) {
  const qreal most = std::max<qreal>(pixelSize, 16) * 16;
  if (slot->format == FT_GLYPH_FORMAT_BITMAP)
    return slot->bitmap.width <= 4 * most && slot->bitmap.rows <= 4 * most;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return false;
  FT_BBox box;
  FT_Outline_Get_CBox(&slot->outline, &box);
  return static_cast<qreal>(box.xMax - box.xMin) / 64.0 <= most &&
         static_cast<qreal>(box.yMax - box.yMin) / 64.0 <= most;
}

// A glyph named for the letter: "A", "A.alt", "A_1", or by its code.
bool NamesLetter(const char* name, char letter) {
  if (name[0] == letter && (name[1] == '\0' || name[1] == '.' || name[1] == '_')) return true;
  char byCode[16];
  std::snprintf(byCode, sizeof byCode, "uni%04X", static_cast<unsigned>(letter));
  return std::strcmp(name, byCode) == 0 || std::strcmp(name, byCode + 2) == 0;
}

}  // namespace

std::unique_ptr<OpenedFace> OpenedFace::Open(FT_LibraryRec_* library, const FaceAddress& address) {
  std::unique_ptr<OpenedFace> opened(new OpenedFace);
  opened->address_ = address;
  const QByteArray path = QFile::encodeName(address.file);
  if (FT_New_Face(library, path.constData(), address.index, &opened->face_) != 0) {
    opened->face_ = nullptr;
    return nullptr;
  }
  FT_Face face = opened->face_;
  if (!FT_IS_SCALABLE(face) && face->num_fixed_sizes <= 0) return nullptr;
  if (FT_IS_SFNT(face) && face->units_per_EM > 0) {
    // HarfBuzz reads the font's own tables, measuring in its units: exact.
    hb_face_t* tables = hb_ft_face_create_referenced(face);
    opened->shaper_ = hb_font_create(tables);
    hb_face_destroy(tables);
    hb_font_set_scale(opened->shaper_, face->units_per_EM, face->units_per_EM);
    opened->unitsPerEm_ = face->units_per_EM;
    return opened;
  }
  // Other formats (Type 1, bitmap fonts) through FreeType, at one size; positions
  // come in 64ths of a pixel at that size.
  opened->shapingPixels_ = FT_IS_SCALABLE(face)
                               ? kShapingPixels
                               : static_cast<qreal>(face->available_sizes[0].y_ppem) / 64.0;
  if (!opened->SetShapingSize()) return nullptr;
  opened->shaper_ = hb_ft_font_create_referenced(face);
  if (!opened->shaper_) return nullptr;
  hb_ft_font_set_load_flags(opened->shaper_, FT_LOAD_NO_HINTING);
  opened->unitsPerEm_ = 64 * opened->shapingPixels_;
  opened->shapesWithFace_ = true;
  return opened;
}

OpenedFace::~OpenedFace() {
  if (shaper_) hb_font_destroy(shaper_);
  if (face_) FT_Done_Face(face_);
}

bool OpenedFace::Covers(char32_t character) const {
  return FT_Get_Char_Index(face_, character) != 0;
}

bool OpenedFace::WritesLetters() const {
  if (!face_->charmap || face_->charmap->encoding != FT_ENCODING_UNICODE) return false;
  if (!FT_HAS_GLYPH_NAMES(face_)) return true;
  for (const char letter : {'A', 'a'}) {
    const FT_UInt glyph = FT_Get_Char_Index(face_, static_cast<FT_ULong>(letter));
    char name[64] = {};
    if (glyph == 0 || FT_Get_Glyph_Name(face_, glyph, name, sizeof name) != 0) continue;
    if (!NamesLetter(name, letter)) return false;
  }
  return true;
}

std::vector<char32_t> OpenedFace::FirstCharacters(std::size_t most) const {
  std::vector<char32_t> characters;
  FT_UInt glyph = 0;
  for (FT_ULong character = FT_Get_First_Char(face_, &glyph);
       glyph != 0 && characters.size() < most;
       character = FT_Get_Next_Char(face_, character, &glyph))
    characters.push_back(static_cast<char32_t>(character));
  return characters;
}

// The shaper reads advances from the face at the size set on it, which
// rendering changes: shaping sets its own size first.
bool OpenedFace::SetShapingSize() {
  if (FT_IS_SCALABLE(face_)) return SetSize(shapingPixels_);
  if (renderPixels_ == shapingPixels_) return true;
  if (FT_Select_Size(face_, 0) != 0) return false;
  strikeScale_ = 1;
  renderPixels_ = shapingPixels_;
  return true;
}

ShapedRun OpenedFace::Shape(const QString& text, qreal pixelSize) {
  ShapedRun run;
  if (text.isEmpty() || (shapesWithFace_ && !SetShapingSize())) return run;
  hb_buffer_t* buffer = hb_buffer_create();
  hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(text.utf16()),
                      static_cast<int>(text.size()), 0, static_cast<int>(text.size()));
  hb_buffer_guess_segment_properties(buffer);
  hb_shape(shaper_, buffer, nullptr, 0);
  unsigned count = 0;
  const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
  const qreal scale = pixelSize / unitsPerEm_;
  qreal x = 0, y = 0;
  run.glyphs.reserve(count);
  for (unsigned i = 0; i < count; ++i) {
    run.glyphs.push_back({infos[i].codepoint, QPointF(x + positions[i].x_offset * scale,
                                                      y - positions[i].y_offset * scale)});
    x += positions[i].x_advance * scale;
    y -= positions[i].y_advance * scale;
  }
  run.advance = x;
  hb_buffer_destroy(buffer);
  return run;
}

bool OpenedFace::SetSize(qreal pixelSize) {
  if (pixelSize == renderPixels_) return true;
  renderPixels_ = -1;
  if (FT_IS_SCALABLE(face_)) {
    strikeScale_ = 1;
    if (FT_Set_Char_Size(face_, 0, static_cast<FT_F26Dot6>(std::lround(pixelSize * 64)), 72, 72))
      return false;
  } else {
    const int strike = NearestStrike(face_, pixelSize);
    if (FT_Select_Size(face_, strike) != 0) return false;
    strikeScale_ = pixelSize / (static_cast<qreal>(face_->available_sizes[strike].y_ppem) / 64.0);
  }
  renderPixels_ = pixelSize;
  return true;
}

GlyphPicture OpenedFace::Render(unsigned glyph, qreal pixelSize, const GlyphLook& look,
                                QColor colour) {
  if (!SetSize(pixelSize)) return {};
  FT_Int32 flags = FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT | FT_LOAD_COLOR;
  if (look.slanted || look.emboldened) flags |= FT_LOAD_NO_BITMAP;
  if (FT_Load_Glyph(face_, glyph, flags) != 0) return {};
  Restyle(face_, look);
  if (!WithinReason(face_->glyph, pixelSize)) return {};
  if (face_->glyph->format != FT_GLYPH_FORMAT_BITMAP &&
      FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL) != 0)
    return {};
  const FT_GlyphSlot slot = face_->glyph;
  GlyphPicture picture;
  picture.image = PictureOf(slot->bitmap, colour, strikeScale_);
  picture.offset =
      QPoint(qRound(slot->bitmap_left * strikeScale_), -qRound(slot->bitmap_top * strikeScale_));
  return picture;
}

std::optional<QPainterPath> OpenedFace::Outline(unsigned glyph, qreal pixelSize,
                                                const GlyphLook& look) {
  if (!FT_IS_SCALABLE(face_) || !SetSize(pixelSize)) return std::nullopt;
  // Unhinted: a page is drawn at any scale, and hinting fits one pixel grid.
  if (FT_Load_Glyph(face_, glyph, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
      face_->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
    return std::nullopt;
  Restyle(face_, look);
  if (!WithinReason(face_->glyph, pixelSize)) return QPainterPath();
  return PathOf(face_->glyph->outline);
}

FaceEngine::FaceEngine() { FT_Init_FreeType(&library_); }

FaceEngine::~FaceEngine() {
  glyphs_.clear();
  outlines_.clear();
  byKey_.clear();
  lru_.clear();
  if (library_) FT_Done_FreeType(library_);
}

std::shared_ptr<OpenedFace> FaceEngine::Open(const FaceAddress& address) {
  if (!library_ || address.file.isEmpty()) return nullptr;
  const QString key = FaceKey(address);
  if (const auto found = byKey_.constFind(key); found != byKey_.constEnd()) {
    lru_.splice(lru_.begin(), lru_, *found);
    return lru_.front().face;
  }
  if (unreadable_.contains(key)) return nullptr;
  std::shared_ptr<OpenedFace> face = OpenedFace::Open(library_, address);
  if (!face) {
    unreadable_.insert(key, true);
    return nullptr;
  }
  lru_.push_front({key, face});
  byKey_.insert(key, lru_.begin());
  while (lru_.size() > kMaxFaces) {
    byKey_.remove(lru_.back().key);
    lru_.pop_back();
    ++closedSinceReturn_;
  }
  if (closedSinceReturn_ >= kMaxFaces / 2) ReturnMemoryWhenIdle();
  return face;
}

GlyphPicture FaceEngine::Glyph(OpenedFace& face, unsigned glyph, qreal pixelSize,
                               const GlyphLook& look, QColor colour) {
  const QString key =
      GlyphKey(face, glyph, pixelSize, look) + u'\n' + QString::number(colour.rgba());
  if (const GlyphPicture* kept = glyphs_.object(key)) return *kept;
  GlyphPicture picture = face.Render(glyph, pixelSize, look, colour);
  const qsizetype cost = std::max<qsizetype>(64, picture.image.sizeInBytes());
  glyphs_.insert(key, new GlyphPicture(picture), cost);
  return picture;
}

std::optional<QPainterPath> FaceEngine::GlyphOutline(OpenedFace& face, unsigned glyph,
                                                     qreal pixelSize, const GlyphLook& look) {
  const QString key = GlyphKey(face, glyph, pixelSize, look);
  if (const std::optional<QPainterPath>* kept = outlines_.object(key)) return *kept;
  std::optional<QPainterPath> outline = face.Outline(glyph, pixelSize, look);
  // A path's element is a point and its kind.
  const qsizetype cost = 64 + (outline ? outline->elementCount() * qsizetype{24} : 0);
  outlines_.insert(key, new std::optional<QPainterPath>(outline), cost);
  return outline;
}

// The allocator keeps what closed faces freed; after a page or two of them
// it is given back to the system, once the window's events waiting now have
// run (it walks the whole heap, too long to add to a page being drawn).
void FaceEngine::ReturnMemoryWhenIdle() {
  closedSinceReturn_ = 0;
  if (std::exchange(returnPending_, true)) return;
  QTimer::singleShot(0, &idleWork_, [this] {
    returnPending_ = false;
    platform::ReturnFreedMemory();
  });
}

std::vector<FaceAddress> FaceEngine::OpenFaces() const {
  std::vector<FaceAddress> open;
  for (const Entry& entry : lru_) open.push_back(entry.face->Address());
  return open;
}

void FaceEngine::Forget() {
  glyphs_.clear();
  outlines_.clear();
  byKey_.clear();
  lru_.clear();
  unreadable_.clear();
}

}  // namespace qm::gui
