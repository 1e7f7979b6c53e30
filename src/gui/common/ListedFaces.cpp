// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ListedFaces.h"

#include <QFontMetrics>
#include <QHash>
#include <QTextCharFormat>
#include <QTextCursor>

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

// Whether format's face or the base face has a character; each is asked
// alone, as asking a face with fallback would start the search for it.
class FaceReach {
 public:
  explicit FaceReach(const QTextCharFormat& format)
      : face_(Unmerged(format.font())), base_(Unmerged(QFont(kBaseFace))) {}
  bool Reaches(char32_t character) const {
    return face_.inFontUcs4(character) || base_.inFontUcs4(character);
  }

 private:
  static QFont Unmerged(QFont font) {
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
  }
  QFontMetrics face_;
  QFontMetrics base_;
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
  const FaceReach reach(format);
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
  const FaceReach reach(format);
  QString reachable;
  ForEachCharacter(text, [&](qsizetype at, char32_t character) {
    if (reach.Reaches(character))
      reachable += text.mid(at, QChar::requiresSurrogates(character) ? 2 : 1);
  });
  return reachable;
}

}  // namespace qm::gui
