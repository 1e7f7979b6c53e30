// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pinyin/PinyinSearch.h"

#include <algorithm>

#include "core/catalogue/FamilyNames.h"
#include "core/platform/Text.h"

namespace qm::pinyin {
namespace {

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// Lower-case ASCII letters without the separators people put between
// syllables, so that "Wen Quan" and "xi'an" meet the keys.
std::string Compact(std::string_view text) {
  std::string compact;
  for (char c : text)
    if (c != ' ' && c != '\'') compact.push_back(c);
  return platform::AsciiLower(std::move(compact));
}

struct ClassSign {
  const char* word;                       // the class, in pinyin
  std::vector<std::string_view> han;      // characters that say it in a name
  std::vector<std::string_view> latin;    // words that say it, in lower case
  std::vector<std::string_view> phrases;  // word pairs that say it
};

const std::vector<ClassSign>& ClassSigns() {
  static const std::vector<ClassSign> signs = {
      {"song", {"宋", "明"}, {"song", "ming"}, {"serif cjk"}},
      {"hei", {"黑"}, {"hei", "gothic"}, {"sans cjk"}},
      {"kai", {"楷"}, {"kai"}, {}},
      {"fangsong", {"仿宋"}, {"fangsong"}, {}},
      {"yuan", {"圆", "圓"}, {"yuan"}, {}},
  };
  return signs;
}

// The words of a name in lower case: runs of ASCII letters and digits.
std::vector<std::string> WordsOf(const std::string& lowered) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : lowered + ' ') {
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  return words;
}

bool SaysClass(const std::string& word, std::string_view sign) {
  return word.size() >= sign.size() &&
         (word.compare(word.size() - sign.size(), sign.size(), sign) == 0 ||
          word == std::string(sign) + "ti");
}

// A name as the class signs are looked for in it, made once per name.
struct ReadName {
  const std::string& name;
  std::string lowered;
  std::vector<std::string> words;
  explicit ReadName(const std::string& text)
      : name(text), lowered(platform::AsciiLower(text)), words(WordsOf(lowered)) {}
};

bool NameSaysClass(const ReadName& read, const ClassSign& sign) {
  return std::any_of(sign.han.begin(), sign.han.end(),
                     [&](std::string_view han) { return Contains(read.name, han); }) ||
         std::any_of(sign.phrases.begin(), sign.phrases.end(),
                     [&](std::string_view phrase) { return Contains(read.lowered, phrase); }) ||
         std::any_of(read.words.begin(), read.words.end(), [&](const std::string& word) {
           return std::any_of(sign.latin.begin(), sign.latin.end(),
                              [&](std::string_view latin) { return SaysClass(word, latin); });
         });
}

}  // namespace

std::vector<std::string> ChineseClassesOf(const std::vector<std::string>& names) {
  const std::vector<ReadName> read(names.begin(), names.end());
  std::vector<std::string> classes;
  for (const ClassSign& sign : ClassSigns())
    if (std::any_of(read.begin(), read.end(),
                    [&](const ReadName& name) { return NameSaysClass(name, sign); }))
      classes.emplace_back(sign.word);
  return classes;
}

PinyinKey KeyOf(std::string_view name, platform::HanReadings& readings) {
  PinyinKey key;
  bool hasHan = false;
  for (std::size_t at = 0; at < name.size();) {
    const catalogue::DecodedChar decoded = catalogue::DecodeUtf8At(name, at);
    const std::string_view bytes = name.substr(at, decoded.length);
    at += decoded.length;
    if (decoded.codePoint == ' ') continue;
    const std::string reading = decoded.codePoint < 0x80 ? "" : readings.Reading(decoded.codePoint);
    if (reading.empty()) {
      key.letters += platform::AsciiLower(std::string(bytes));
      key.initials += platform::AsciiLower(std::string(bytes));
      continue;
    }
    hasHan = true;
    key.letters += reading;
    key.initials += reading.front();
  }
  return hasHan ? key : PinyinKey{};
}

NameQuery::NameQuery(std::string_view typed)
    : folded_(platform::AsciiLower(std::string(typed))), compact_(Compact(typed)) {}

bool NameQuery::MatchesName(std::string_view name) const {
  return Contains(platform::AsciiLower(std::string(name)), folded_);
}

bool NameQuery::MatchesKey(const PinyinKey& key) const {
  if (key.letters.empty() || compact_.empty()) return false;
  return Contains(key.letters, compact_) || Contains(key.initials, compact_);
}

void FamilySearch::Add(const std::vector<std::string>& names, platform::HanReadings& readings) {
  Entry entry;
  for (const std::string& name : names) {
    entry.names.push_back(platform::AsciiLower(name));
    if (PinyinKey key = KeyOf(name, readings); !key.letters.empty())
      entry.keys.push_back(std::move(key));
  }
  entry.classes = ChineseClassesOf(names);
  entries_.push_back(std::move(entry));
}

bool FamilySearch::Matches(std::size_t entry, const NameQuery& query) const {
  if (query.IsEmpty()) return true;
  const Entry& family = entries_.at(entry);
  return std::any_of(family.names.begin(), family.names.end(),
                     [&](const std::string& name) { return Contains(name, query.Folded()); }) ||
         std::any_of(family.keys.begin(), family.keys.end(),
                     [&](const PinyinKey& key) { return query.MatchesKey(key); }) ||
         std::any_of(family.classes.begin(), family.classes.end(),
                     [&](const std::string& word) { return Contains(word, query.Folded()); });
}

}  // namespace qm::pinyin
