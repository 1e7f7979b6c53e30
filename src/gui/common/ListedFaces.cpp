// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ListedFaces.h"

#include <QFontMetrics>
#include <QHash>
#include <QTextCharFormat>
#include <QTextCursor>
#include <optional>

#include "gui/common/BaseFormat.h"

namespace qm::gui {
namespace {

struct FaceSelection {
  QString family;
  QString style;
};

// Only the names that need more than themselves; the rest select their face.
QHash<QString, FaceSelection>& Selections() {
  static QHash<QString, FaceSelection> selections;
  return selections;
}

// Whether the base face or format's face has a character; each is asked
// alone, as asking a face with fallback would start the search for it. The
// base face has nearly every name's characters, so a line's own face is
// opened only for the rare name it does not cover: the sheet leaves the
// faces of lines off the screen unresolved.
class FaceReach {
 public:
  explicit FaceReach(const QTextCharFormat& format)
      : format_(format), base_(Unmerged(QFont(kBaseFace))) {}
  bool Reaches(char32_t character) {
    if (base_.inFontUcs4(character)) return true;
    if (!face_) face_.emplace(Unmerged(format_.font()));
    return face_->inFontUcs4(character);
  }

 private:
  static QFont Unmerged(QFont font) {
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
  }
  const QTextCharFormat& format_;
  QFontMetrics base_;
  std::optional<QFontMetrics> face_;
};

// Calls visit(position, code point) for each character of text.
template <typename Visit>
void ForEachCharacter(const QString& text, Visit visit) {
  for (qsizetype at = 0, length = 1; at < text.size(); at += length) {
    char32_t character = text[at].unicode();
    length = 1;
    if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
      character = QChar::surrogateToUcs4(text[at], text[at + 1]);
      length = 2;
    }
    visit(at, character);
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
}

void InsertInOwnFace(QTextCursor& cursor, const QString& text, const QTextCharFormat& format) {
  QTextCharFormat unmerged = format;
  unmerged.setFontStyleStrategy(QFont::NoFontMerging);
  FaceReach reach(format);
  qsizetype runStart = 0;
  bool runReached = true;
  ForEachCharacter(text, [&](qsizetype at, char32_t character) {
    const bool reached = reach.Reaches(character);
    if (reached != runReached && at > runStart) {
      cursor.insertText(text.mid(runStart, at - runStart), runReached ? format : unmerged);
      runStart = at;
    }
    runReached = reached;
  });
  if (runStart < text.size()) cursor.insertText(text.mid(runStart), runReached ? format : unmerged);
}

QString ReachableText(const QString& text, const QTextCharFormat& format) {
  FaceReach reach(format);
  QString reachable;
  ForEachCharacter(text, [&](qsizetype at, char32_t character) {
    if (reach.Reaches(character))
      reachable += text.mid(at, QChar::requiresSurrogates(character) ? 2 : 1);
  });
  return reachable;
}

}  // namespace qm::gui
