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

}  // namespace

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
  entries_.push_back(std::move(entry));
}

bool FamilySearch::Matches(std::size_t entry, const NameQuery& query) const {
  if (query.IsEmpty()) return true;
  const Entry& family = entries_.at(entry);
  return std::any_of(family.names.begin(), family.names.end(),
                     [&](const std::string& name) { return Contains(name, query.Folded()); }) ||
         std::any_of(family.keys.begin(), family.keys.end(),
                     [&](const PinyinKey& key) { return query.MatchesKey(key); });
}

}  // namespace qm::pinyin
