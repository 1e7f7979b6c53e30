// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A sample of a face's own script, for faces whose names it cannot draw.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::faces {

// What a face that cannot draw the letters of its own name shows instead: a short text in a
// script the face covers. `covers` tells whether the face has a glyph for a character;
// `languages` are the face's fontconfig language tags (may be empty); `firstCovered` are the
// first characters the face maps, in code point order (the engine passes up to 64 of them).
// The sample of a script the languages name comes first, then the first sample in a fixed
// order of scripts, then up to 10 of firstCovered that show something (private use ones only
// when nothing else does); empty when the face covers nothing that shows.
std::u32string OwnScriptSample(const std::function<bool(char32_t)>& covers,
                               const std::vector<std::string>& languages,
                               const std::vector<char32_t>& firstCovered);

// Whether a face covering `covers` draws text itself: every character of `text` other than
// spaces and controls is covered.
bool CoversText(const std::function<bool(char32_t)>& covers, std::u32string_view text);

}  // namespace qm::faces
