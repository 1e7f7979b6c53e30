// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Documents of lines "Line 0", "Line 1", ... of exact heights, so that a
// test knows which line ends each page.

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>
#include <vector>

namespace qm::test {

// Heights in pixels of the screen, as formats measure (the pages scale
// them); 0 for the text's own height.
inline std::unique_ptr<QTextDocument> Lines(const std::vector<int>& heights) {
  auto document = std::make_unique<QTextDocument>();
  QTextCursor cursor(document.get());
  for (size_t line = 0; line < heights.size(); ++line) {
    if (line > 0) cursor.insertBlock();
    QTextBlockFormat format;
    if (heights[line] > 0) format.setLineHeight(heights[line], QTextBlockFormat::FixedHeight);
    cursor.setBlockFormat(format);
    cursor.insertText(QStringLiteral("Line %1").arg(line));
  }
  return document;
}

inline std::unique_ptr<QTextDocument> EvenLines(int count, int height) {
  return Lines(std::vector<int>(static_cast<size_t>(count), height));
}

}  // namespace qm::test
