// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/faces/OwnScriptSample.h"

#include <algorithm>
#include <array>

namespace qm::faces {
namespace {

struct ScriptSample {
  std::u32string_view text;
  // The fontconfig language tags written in the script, space-separated; a
  // tag with a region ("ku-iq") names the script only for that region.
  std::string_view languages;
};

// In the order tried for a face whose languages name none of them: the
// interface is Chinese, so Han comes first.
constexpr std::array kSamples{
    ScriptSample{U"永和九年，岁在癸丑", "zh-cn zh-sg"},
    ScriptSample{U"永和九年，歲在癸丑", "zh-tw zh-hk zh-mo"},
    ScriptSample{U"いろはにほへと", "ja"},
    ScriptSample{U"안녕하세요", "ko"},
    ScriptSample{U"Кириллица",
                 "ru uk be bg mk sr mn kk ky tg tt ba cv ce av os kv ab sah tyv ku-am"},
    ScriptSample{U"Ελληνικά", "el"},
    ScriptSample{U"أبجد هوز", "ar fa ur ps sd ug ks ku-iq ku-ir pa-pk az-ir"},
    ScriptSample{U"שלום עולם", "he yi"},
    ScriptSample{U"नमस्ते", "hi mr ne sa bh bho brx doi hne kok mai"},
    ScriptSample{U"নমস্কার", "bn as mni"},
    ScriptSample{U"ਗੁਰਮੁਖੀ", "pa"},
    ScriptSample{U"ગુજરાતી", "gu"},
    ScriptSample{U"ଓଡ଼ିଆ", "or"},
    ScriptSample{U"வணக்கம்", "ta"},
    ScriptSample{U"నమస్కారం", "te"},
    ScriptSample{U"ಕನ್ನಡ", "kn"},
    ScriptSample{U"മലയാളം", "ml"},
    ScriptSample{U"සිංහල", "si"},
    ScriptSample{U"สวัสดี", "th"},
    ScriptSample{U"ສະບາຍດີ", "lo"},
    ScriptSample{U"བཀྲ་ཤིས་", "bo dz"},
    ScriptSample{U"မင်္ဂလာပါ", "my"},
    ScriptSample{U"សួស្តី", "km"},
    ScriptSample{U"ᠮᠣᠩᠭᠣᠯ", "mn-cn"},
    ScriptSample{U"ሰላም ዓለም", "am ti ti-er ti-et tig byn gez sid wal"},
    ScriptSample{U"გამარჯობა", "ka"},
    ScriptSample{U"Հայերեն", "hy"},
    ScriptSample{U"ދިވެހި", "dv"},
    ScriptSample{U"ܣܘܪܝܝܐ", "syr"},
    ScriptSample{U"ߒߞߏ ߛߓߍ", "nqo"},
    ScriptSample{U"ᏣᎳᎩ ᎦᏬᏂᎯᏍᏗ", "chr"},
    ScriptSample{U"ᐃᓄᒃᑎᑐᑦ", "iu"},
    ScriptSample{U"ⵜⴰⵎⴰⵣⵉⵖⵜ", "ber-ma zgh"},
    ScriptSample{U"ꆈꌠꁱꂷ", "ii"},
    ScriptSample{U"ꦲꦤꦕꦫꦏ", ""},
    ScriptSample{U"ᬳᬦᬘᬭᬓ", ""},
};

constexpr std::size_t kMostFallbackCharacters = 10;

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

bool IsSpace(char32_t c) {
  return c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 ||
         c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

// Format characters and fillers that draw nothing of their own.
bool IsInvisible(char32_t c) {
  return c == 0xAD || c == 0x34F || c == 0x61C || c == 0x115F || c == 0x1160 || c == 0x17B4 ||
         c == 0x17B5 || (c >= 0x180B && c <= 0x180F) || (c >= 0x200B && c <= 0x200F) ||
         (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x206F) || c == 0x3164 ||
         (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFEFF || c == 0xFFA0 ||
         (c >= 0xFFF0 && c <= 0xFFF8) || (c >= 0xE0000 && c <= 0xE0FFF);
}

// The replacement character, noncharacters and surrogates stand for no
// character of the face's own.
bool IsNoCharacter(char32_t c) {
  return c == 0xFFFD || (c & 0xFFFE) == 0xFFFE || (c >= 0xFDD0 && c <= 0xFDEF) ||
         (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF;
}

bool IsPrivateUse(char32_t c) {
  return (c >= 0xE000 && c <= 0xF8FF) || (c >= 0xF0000 && c <= 0xFFFFD) ||
         (c >= 0x100000 && c <= 0x10FFFD);
}

bool Shows(char32_t c) {
  return !IsControl(c) && !IsSpace(c) && !IsInvisible(c) && !IsNoCharacter(c);
}

std::string PrimaryTag(const std::string& tag) { return tag.substr(0, tag.find('-')); }

// Lower case with '-' between the parts, as fontconfig writes its tags.
std::string NormalTag(std::string tag) {
  for (char& c : tag) {
    if (c == '_') c = '-';
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return tag;
}

bool ListsTag(std::string_view languages, std::string_view tag) {
  while (!languages.empty()) {
    const std::size_t end = std::min(languages.find(' '), languages.size());
    if (languages.substr(0, end) == tag) return true;
    languages.remove_prefix(std::min(end + 1, languages.size()));
  }
  return false;
}

// The first covered sample written in the language, by the exact tag or
// else by the language without its region.
const ScriptSample* SampleForLanguage(const std::function<bool(char32_t)>& covers,
                                      const std::string& language) {
  const std::string tag = NormalTag(language);
  for (const std::string& key : {tag, PrimaryTag(tag)})
    for (const ScriptSample& sample : kSamples)
      if (!key.empty() && ListsTag(sample.languages, key) && CoversText(covers, sample.text))
        return &sample;
  return nullptr;
}

std::u32string FirstShown(const std::vector<char32_t>& characters, bool privateUse) {
  std::u32string shown;
  for (const char32_t c : characters) {
    if (shown.size() == kMostFallbackCharacters) break;
    if (Shows(c) && IsPrivateUse(c) == privateUse) shown.push_back(c);
  }
  return shown;
}

}  // namespace

bool CoversText(const std::function<bool(char32_t)>& covers, std::u32string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [&](char32_t c) { return IsSpace(c) || IsControl(c) || covers(c); });
}

std::u32string OwnScriptSample(const std::function<bool(char32_t)>& covers,
                               const std::vector<std::string>& languages,
                               const std::vector<char32_t>& firstCovered) {
  for (const std::string& language : languages)
    if (const ScriptSample* sample = SampleForLanguage(covers, language))
      return std::u32string(sample->text);
  for (const ScriptSample& sample : kSamples)
    if (CoversText(covers, sample.text)) return std::u32string(sample.text);
  // Symbols, dingbats and the like: what the face has.
  std::u32string shown = FirstShown(firstCovered, false);
  return shown.empty() ? FirstShown(firstCovered, true) : shown;
}

}  // namespace qm::faces
