// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text at the border to Win32: the core's UTF-8 to and from the wide
// calls' UTF-16 and the ANSI calls' code page (936 on a Chinese system).

#include <string>

namespace qm::platform {

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
// A character the ANSI code page lacks becomes the code page's default one.
std::string AnsiFromUtf8(const std::string& text);
std::string Utf8FromAnsi(const std::string& text);

}  // namespace qm::platform
