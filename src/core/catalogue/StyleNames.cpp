// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/StyleNames.h"

#include <optional>
#include <utility>
#include <vector>

#include "core/platform/Text.h"

namespace qm::catalogue {
namespace {

// The words of a style name in lower case, split at spaces, "-" and "_".
std::vector<std::string> WordsOf(std::string_view style) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : std::string(style) + ' ') {
    if (c == ' ' || c == '-' || c == '_') {
      if (!word.empty()) words.push_back(platform::AsciiLower(std::exchange(word, {})));
    } else {
      word += c;
    }
  }
  return words;
}

std::optional<std::string> WordInChinese(const std::string& word) {
  static const std::vector<std::pair<std::vector<std::string_view>, std::string_view>> words = {
      {{"regular", "normal", "book", "roman", "plain", "standard"}, "常规"},
      {{"bold"}, "粗体"},
      {{"italic", "oblique", "slanted", "kursiv"}, "斜体"},
      {{"thin", "hairline"}, "极细"},
      {{"extralight", "ultralight"}, "特细"},
      {{"light"}, "细体"},
      {{"medium"}, "中等"},
      {{"semibold", "demibold", "demi"}, "半粗"},
      {{"extrabold", "ultrabold"}, "特粗"},
      {{"black", "heavy"}, "黑体"},
      {{"condensed", "narrow"}, "窄体"},
      {{"expanded", "extended", "wide"}, "宽体"},
  };
  for (const auto& [english, chinese] : words)
    for (const std::string_view spelling : english)
      if (word == spelling) return std::string(chinese);
  return std::nullopt;
}

}  // namespace

std::string ChineseStyleName(std::string_view style) {
  const std::vector<std::string> words = WordsOf(style);
  // The usual pairs read as one word.
  if (words == std::vector<std::string>{"bold", "italic"} ||
      words == std::vector<std::string>{"bold", "oblique"})
    return "粗斜体";
  std::string chinese;
  for (const std::string& word : words) {
    const std::optional<std::string> inChinese = WordInChinese(word);
    if (!inChinese) return std::string(style);
    if (!chinese.empty()) chinese += ' ';
    chinese += *inChinese;
  }
  return words.empty() ? std::string(style) : chinese;
}

}  // namespace qm::catalogue
