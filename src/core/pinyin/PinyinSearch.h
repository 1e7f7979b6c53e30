// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding a family by any of its names or by the pinyin of a Chinese name,
// whole ("wenquanyi") or by initials ("wqy"), without regard to letter case.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/HanReadings.h"

namespace qm::pinyin {

// A name spelt in pinyin: its Han characters by their readings, the other
// characters in lower case, spaces left out. 文泉驿 Zen gives "wenquanyizen"
// and "wqyzen". Both are empty for a name without Han characters.
struct PinyinKey {
  std::string letters;
  std::string initials;
};

PinyinKey KeyOf(std::string_view name, platform::HanReadings& readings);

// What a person typed to find a family.
class NameQuery {
 public:
  explicit NameQuery(std::string_view typed);

  bool IsEmpty() const { return folded_.empty(); }
  const std::string& Folded() const { return folded_; }  // in lower case
  // name contains the text, letter case aside (ASCII letters only).
  bool MatchesName(std::string_view name) const;
  // The text, without spaces and apostrophes ("xi'an", "wen quan"), is part
  // of the key's letters or of its initials.
  bool MatchesKey(const PinyinKey& key) const;

 private:
  std::string folded_;
  std::string compact_;
};

// The Chinese classes of face a family's names say it is of, each by its
// pinyin word: "song" (宋, 明, Song, Ming, Serif CJK), "hei" (黑, Hei, Sans
// CJK, Gothic), "kai" (楷, Kai), "fangsong" (仿宋, Fangsong), "yuan" (圆, 圓,
// Yuan). A Latin word counts whole, at the end of a word ("UMing") or
// followed by "ti" ("Heiti"), so that "Kaithi" is no Kai face.
std::vector<std::string> ChineseClassesOf(const std::vector<std::string>& names);

// The names of many families, each with the pinyin keys of its Chinese
// names and the classes its names say, made once and searched at every key
// press: "song" finds AR PL UMing and Noto Serif CJK SC.
class FamilySearch {
 public:
  void Clear() { entries_.clear(); }
  // Adds a family under all its names (in any language); its entry number
  // is the count of families added before.
  void Add(const std::vector<std::string>& names, platform::HanReadings& readings);
  std::size_t Size() const { return entries_.size(); }

  bool Matches(std::size_t entry, const NameQuery& query) const;

 private:
  struct Entry {
    std::vector<std::string> names;
    std::vector<PinyinKey> keys;  // of the names with Han characters
    std::vector<std::string> classes;
  };
  std::vector<Entry> entries_;
};

}  // namespace qm::pinyin
