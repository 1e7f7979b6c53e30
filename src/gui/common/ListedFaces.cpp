// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ListedFaces.h"

#include <QFontInfo>
#include <QHash>
#include <QRawFont>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <optional>

#include "gui/common/BaseFormat.h"

namespace qm::gui {
namespace {

struct FaceSelection {
  QString family;
  QString style;
};

// The toolkit's format collection hashes a family list by its type alone,
// so every new line's format would be compared with all earlier ones and a
// sheet of N faces would take N² comparisons to build. The name as a text
// property of its own tells the formats apart in the hash; nothing reads it.
constexpr int kFaceKeyProperty = QTextFormat::UserProperty + 0x51;

// Only the names that need more than themselves; the rest select their face.
QHash<QString, FaceSelection>& Selections() {
  static QHash<QString, FaceSelection> selections;
  return selections;
}

QFont Unmerged(QFont font) {
  font.setStyleStrategy(QFont::NoFontMerging);
  return font;
}

QTextCharFormat BaseFallback(const QTextCharFormat& format) {
  QTextCharFormat fallback = format;
  fallback.setFontFamilies(QStringList{kBaseFace});
  fallback.setFontStyleName(QString());
  fallback.setProperty(kFaceKeyProperty, kBaseFace);
  return fallback;
}

enum class Reach { OwnFace, BaseFace, None };

// The face a font draws in, asked for no script in particular: asked for a
// script its face lacks, the toolkit would answer with another family's.
QRawFont FaceOf(const QFont& font) { return QRawFont::fromFont(Unmerged(font)); }

// Which face draws a character: the format's own, else the base face. The
// base face is opened only for a name its own face does not cover.
class FaceReach {
 public:
  FaceReach(const QTextCharFormat& format, const QFont& documentFont)
      : documentFont_(documentFont), own_(FaceOf(format.font().resolve(documentFont))) {}
  Reach Of(char32_t character) {
    if (own_.supportsCharacter(character)) return Reach::OwnFace;
    if (!base_) base_ = FaceOf(QFont(kBaseFace).resolve(documentFont_));
    return base_->supportsCharacter(character) ? Reach::BaseFace : Reach::None;
  }

 private:
  QFont documentFont_;
  QRawFont own_;
  std::optional<QRawFont> base_;
};

// Calls visit(position, length, code point) for each character of text.
template <typename Visit>
void ForEachCharacter(const QString& text, Visit visit) {
  for (qsizetype at = 0, length = 1; at < text.size(); at += length) {
    char32_t character = text[at].unicode();
    length = 1;
    if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
      character = QChar::surrogateToUcs4(text[at], text[at + 1]);
      length = 2;
    }
    visit(at, length, character);
  }
}

struct Run {
  int start;
  int length;
  QTextCharFormat format;
};

// The runs of a fragment's characters that the base face draws instead of
// the fragment's own face.
void CollectBaseRuns(const QTextFragment& fragment, const QFont& documentFont,
                     std::vector<Run>& runs) {
  const QTextCharFormat format = fragment.charFormat();
  if (format.fontStyleStrategy() != QFont::NoFontMerging) return;  // not a name in its face
  if (format.fontFamilies().toStringList().value(0) == kBaseFace) return;
  FaceReach reach(format, documentFont);
  const QTextCharFormat fallback = BaseFallback(format);
  ForEachCharacter(fragment.text(), [&](qsizetype at, qsizetype length, char32_t character) {
    if (reach.Of(character) != Reach::BaseFace) return;
    const int position = fragment.position() + static_cast<int>(at);
    if (!runs.empty() && runs.back().start + runs.back().length == position &&
        runs.back().format == fallback)
      runs.back().length += static_cast<int>(length);
    else
      runs.push_back({position, static_cast<int>(length), fallback});
  });
}

void FallBackBetween(QTextDocument* document, int from, int to) {
  std::vector<Run> runs;
  for (QTextBlock block = document->findBlock(from); block.isValid() && block.position() < to;
       block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.position() + fragment.length() <= from || fragment.position() >= to) continue;
      CollectBaseRuns(fragment, document->defaultFont(), runs);
    }
  }
  QTextCursor cursor(document);
  for (const Run& run : runs) {
    cursor.setPosition(run.start);
    cursor.setPosition(run.start + run.length, QTextCursor::KeepAnchor);
    cursor.setCharFormat(run.format);
  }
}

}  // namespace

void RecordListedFaces(const std::vector<platform::InstalledFamily>& families) {
  QHash<QString, FaceSelection>& selections = Selections();
  selections.clear();
  for (const platform::InstalledFamily& family : families) {
    if (family.faceStyle.empty()) continue;
    selections.insert(
        QString::fromStdString(family.name),
        {QString::fromStdString(family.faceFamily), QString::fromStdString(family.faceStyle)});
  }
}

void SetListedFace(QTextCharFormat& format, const QString& name) {
  const auto found = Selections().constFind(name);
  const bool selected = found != Selections().constEnd();
  format.setFontFamilies(QStringList{selected ? found->family : name});
  format.setFontStyleName(selected ? found->style : QString());
  format.setProperty(kFaceKeyProperty, name);
}

QFont OpenBaseFace(const QTextCharFormat& format, const QFont& documentFont) {
  const QFont base = BaseFallback(format).font().resolve(documentFont);
  QFontInfo(base).family();  // opens the face for text of no script in particular
  return base;
}

QTextCharFormat OwnFaceOnly(const QTextCharFormat& format) {
  QTextCharFormat own = format;
  own.setFontStyleStrategy(QFont::NoFontMerging);
  return own;
}

void InsertInOwnFace(QTextCursor& cursor, const QString& text, const QTextCharFormat& format) {
  const int from = cursor.position();
  cursor.insertText(text, OwnFaceOnly(format));
  FallBackBetween(cursor.document(), from, cursor.position());
}

void FallBackWhereFaceLacks(const QTextBlock& block) {
  FallBackBetween(const_cast<QTextDocument*>(block.document()), block.position(),
                  block.position() + block.length() - 1);
}

}  // namespace qm::gui
