// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two web pages the program writes: every family's name in its own
// face, and a text compared across chosen families. The result is the
// file's bytes: code page 936 as the pages declare, CR LF line breaks, no
// byte-order mark. Names and text are escaped, so that a page shows them
// exactly and runs nothing, and a character the code page lacks is written
// as a numeric character reference.

#include <string>
#include <string_view>
#include <vector>

namespace qm::pages {

// The comparison page's size, whatever the sample size is.
inline constexpr int kCompareFontSize = 40;

struct PageFamily {
  std::u16string face;  // the name a browser finds the face by
  std::u16string name;  // the name the page shows
};

// size: the sample font size; one no box can show becomes the default.
std::string AllFontsPage(const std::vector<PageFamily>& families, int size);

// text: its paragraphs may be separated by CR LF, LF, CR or U+2029; the
// page separates them by CR LF.
std::string ComparisonPage(const std::vector<PageFamily>& families, std::u16string_view text);

// text as page content in UTF-8: the five markup characters as character
// references, characters beyond U+FFFF as numeric references, a lone
// surrogate as U+FFFD, paragraph breaks as CR LF.
std::string EscapeForPage(std::u16string_view text);

// A page's UTF-8 as code page 936, each character it lacks as "&#xHEX;".
std::string EncodeForPage(std::string_view utf8);

}  // namespace qm::pages
