// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/HtmlPages.h"

#include <cstdio>

#include "core/platform/CodePage936.h"
#include "core/system/SampleFontSize.h"

namespace qm::pages {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kMeta =
    "<head><META http-equiv=Content-Type content=\"text/html; charset=gb2312\"><title>";
constexpr std::string_view kAllFontsTitle = "Quillmere输出电脑全部字体预览网页";
constexpr std::string_view kComparisonTitle = "Quillmere输出自定义字体预览网页";
constexpr std::string_view kHeadEnd = "</title></head>";
constexpr std::string_view kHeadingStart = "<p><font face=宋体 color=#FF6600 size=12>";
constexpr std::string_view kAllFontsHeading = "Quillmere 保存所有字体：";
constexpr std::string_view kComparisonHeading = "Quillmere 保存字体对比：";
constexpr std::string_view kHeadingEnd = "</font></p>";
constexpr char32_t kReplacement = 0xFFFD;

void AppendNumericReference(std::string& out, char32_t code) {
  char reference[16];
  const int length =
      std::snprintf(reference, sizeof reference, "&#x%X;", static_cast<unsigned>(code));
  out.append(reference, static_cast<std::size_t>(length));
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The code point of the UTF-8 sequence at the start of utf8 (valid and
// below U+10000, as EscapeForPage writes), and its length.
char32_t DecodeUtf8(std::string_view utf8, std::size_t& length) {
  const auto byte = [&](std::size_t i) { return static_cast<char32_t>(utf8[i]) & 0xFF; };
  if (byte(0) < 0x80) {
    length = 1;
    return byte(0);
  }
  if (byte(0) < 0xE0 && utf8.size() >= 2) {
    length = 2;
    return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
  }
  if (utf8.size() >= 3) {
    length = 3;
    return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
  }
  length = utf8.size();
  return kReplacement;
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The code point at text[i], moving i past it.
char32_t NextCodePoint(std::u16string_view text, std::size_t& i) {
  const char16_t unit = text[i++];
  if (IsHighSurrogate(unit) && i < text.size() && IsLowSurrogate(text[i]))
    return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
           (static_cast<char32_t>(text[i++]) - 0xDC00);
  if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) return kReplacement;
  return unit;
}

void AppendEscaped(std::string& out, char32_t code) {
  switch (code) {
    case '&':
      out += "&amp;";
      return;
    case '<':
      out += "&lt;";
      return;
    case '>':
      out += "&gt;";
      return;
    case '"':
      out += "&quot;";
      return;
    case '\'':
      out += "&#39;";
      return;
    case '\n':
    case 0x2029:
      out += kCrLf;
      return;
    default:
      break;
  }
  // The code page holds nothing beyond U+FFFF.
  if (code > 0xFFFF)
    AppendNumericReference(out, code);
  else
    AppendUtf8(out, code);
}

void AppendHead(std::string& page, std::string_view title, std::string_view heading) {
  page.append(kMeta).append(title).append(kHeadEnd);
  page.append(kHeadingStart).append(heading).append(kHeadingEnd).append(kCrLf);
}

}  // namespace

std::string EscapeForPage(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size();) {
    const char32_t code = NextCodePoint(text, i);
    // CR LF and a lone CR are one paragraph break each.
    if (code == '\r') {
      if (i < text.size() && text[i] == u'\n') ++i;
      out += kCrLf;
      continue;
    }
    AppendEscaped(out, code);
  }
  return out;
}

std::string EncodeForPage(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    utf8.remove_prefix(platform::AppendCodePage936(utf8, out));
    if (utf8.empty()) break;
    std::size_t length = 0;
    AppendNumericReference(out, DecodeUtf8(utf8, length));
    utf8.remove_prefix(length);
  }
  return out;
}

std::string AllFontsPage(const std::vector<PageFamily>& families, int size) {
  const std::string sizeText = std::to_string(system::UsableFontSize(size));
  std::string page;
  AppendHead(page, kAllFontsTitle, kAllFontsHeading);
  for (const PageFamily& family : families) {
    const std::string name = EscapeForPage(family.name);
    page.append("<p><font face='").append(EscapeForPage(family.face)).append("' size=");
    page.append(sizeText).append(">").append(name).append("</font></p>").append(kCrLf);
  }
  return EncodeForPage(page);
}

std::string ComparisonPage(const std::vector<PageFamily>& families, std::u16string_view text) {
  const std::string sizeText = std::to_string(kCompareFontSize);
  const std::string escapedText = EscapeForPage(text);
  std::string page;
  AppendHead(page, kComparisonTitle, kComparisonHeading);
  for (const PageFamily& family : families) {
    page.append("<p><font face='").append(EscapeForPage(family.face)).append("' size=");
    page.append(sizeText).append(">").append(escapedText);
    page.append("</font><font face=宋体 size=4>[").append(EscapeForPage(family.name));
    page.append("]</font></p>").append(kCrLf);
  }
  return EncodeForPage(page);
}

}  // namespace qm::pages
