// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// fontconfig's FcFontMatch weighs every installed font against a pattern:
// milliseconds a call with thousands of fonts. The toolkit calls it for each
// face it opens, naming the face's own file and index, only to learn the
// rendering settings (hinting, antialiasing) the configuration gives that
// face. The program defines FcFontMatch itself: once enabled, a pattern
// naming the file and index of an installed font is prepared against that
// font directly, which is the font fontconfig's match would choose, as the
// file outranks every other property there; any other pattern goes to
// fontconfig's own match.

#include <fontconfig/fontconfig.h>

namespace qm::platform {

// For the rest of the process; safe to call more than once.
void EnableFaceMatchShortcut();

// fontconfig's own FcFontMatch, never the shortcut.
FcPattern* FontconfigOwnMatch(FcConfig* config, FcPattern* pattern, FcResult* result);

}  // namespace qm::platform
