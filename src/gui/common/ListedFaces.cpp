// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ListedFaces.h"

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
  fallback.setFontFamilies(QStringList{BaseFaceFamily()});
  fallback.setFontStyleName(QString());
  fallback.setProperty(kFaceKeyProperty, BaseFaceFamily());
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
    return BaseHas(character) ? Reach::BaseFace : Reach::None;
  }
  bool BaseHas(char32_t character) {
    if (!base_) base_ = FaceOf(QFont(BaseFaceFamily()).resolve(documentFont_));
    return base_->supportsCharacter(character);
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

// A space, digit or bracket has no script of its own: the toolkit gives it
// the script of the letter before it (the first letter after it, at the
// start of a line) and asks the face drawing it for that script. A face
// asked for a script it lacks makes the toolkit search every installed
// family for another, seconds with thousands of fonts. So such a character
// goes to the base face when the letter it takes its script from does.
bool TakesScriptFromNeighbour(char32_t character) {
  return QChar::script(character) <= QChar::Script_Common;
}

// Adds a character to the runs the base face draws.
void AddToBaseRuns(std::vector<Run>& runs, int position, int length,
                   const QTextCharFormat& fallback) {
  if (!runs.empty() && runs.back().start + runs.back().length == position &&
      runs.back().format == fallback)
    runs.back().length += length;
  else
    runs.push_back({position, length, fallback});
}

// Follows one line's characters in order and collects the runs of those
// that the base face draws instead of their own face.
class BaseRunCollector {
 public:
  BaseRunCollector(const QFont& documentFont, std::vector<Run>& runs)
      : documentFont_(documentFont), runs_(runs) {}

  void Add(const QTextFragment& fragment) {
    const QTextCharFormat format = fragment.charFormat();
    const bool ownFace = format.fontStyleStrategy() == QFont::NoFontMerging &&
                         format.fontFamilies().toStringList().value(0) != BaseFaceFamily();
    if (!ownFace) {  // the base face's own text, or text free to fall back
      ForEachCharacter(fragment.text(), [&](qsizetype, qsizetype, char32_t character) {
        if (!TakesScriptFromNeighbour(character)) LetterIn(true);
      });
      return;
    }
    FaceReach reach(format, documentFont_);
    const QTextCharFormat fallback = BaseFallback(format);
    ForEachCharacter(fragment.text(), [&](qsizetype at, qsizetype length, char32_t character) {
      const int position = fragment.position() + static_cast<int>(at);
      const Reach drawnBy = reach.Of(character);
      if (TakesScriptFromNeighbour(character)) {
        if (drawnBy == Reach::BaseFace) {
          AddToBaseRuns(runs_, position, static_cast<int>(length), fallback);
        } else if (drawnBy == Reach::OwnFace && lastLetterInBase_.value_or(true) &&
                   reach.BaseHas(character)) {
          if (lastLetterInBase_.has_value())
            AddToBaseRuns(runs_, position, static_cast<int>(length), fallback);
          else
            waiting_.push_back({position, static_cast<int>(length), fallback});
        }
        return;
      }
      LetterIn(drawnBy == Reach::BaseFace);
      if (drawnBy == Reach::BaseFace)
        AddToBaseRuns(runs_, position, static_cast<int>(length), fallback);
    });
  }

 private:
  // A letter drawn in the base face or not; the characters before the
  // line's first letter follow it.
  void LetterIn(bool baseFace) {
    if (!lastLetterInBase_.has_value() && baseFace)
      for (const Run& run : waiting_) AddToBaseRuns(runs_, run.start, run.length, run.format);
    waiting_.clear();
    lastLetterInBase_ = baseFace;
  }

  QFont documentFont_;
  std::vector<Run>& runs_;
  std::optional<bool> lastLetterInBase_;
  std::vector<Run> waiting_;
};

void FallBackBetween(QTextDocument* document, int from, int to) {
  std::vector<Run> runs;
  for (QTextBlock block = document->findBlock(from); block.isValid() && block.position() < to;
       block = block.next()) {
    BaseRunCollector collector(document->defaultFont(), runs);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.position() + fragment.length() <= from || fragment.position() >= to) continue;
      collector.Add(fragment);
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

void FallBackWhereFaceLacks(const QTextBlock& block) {
  FallBackBetween(const_cast<QTextDocument*>(block.document()), block.position(),
                  block.position() + block.length() - 1);
}

}  // namespace qm::gui
