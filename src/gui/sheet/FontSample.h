#pragma once
// The sample of one font: its file name and five lines in its face.

#include <QString>

class QTextEdit;

namespace qm::gui {

inline const QString kBaseFace = QStringLiteral("宋体");
inline constexpr int kBasePointSize = 12;
inline constexpr int kSamplePointSize = 20;

// Gives a rich-text box its base format: 宋体 12 pt, black, no styles.
void SetBaseFormat(QTextEdit* box);

// Rewrites box with "文件名：" + file and the five sample lines of family.
// Each line adds one style to those before it, as text typed after styled
// text would: bold, then italic, then underline, each in its own colour.
void ShowFontEffect(QTextEdit* box, const QString& family, const QString& file);

// Sets the face of the whole text and leaves the caret at the start; sizes,
// colours and styles stay as they are.
void SetWholeTextFace(QTextEdit* box, const QString& family);

}  // namespace qm::gui
