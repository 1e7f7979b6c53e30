// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/windows/WindowsText.h"

#include <windows.h>

namespace qm::platform {
namespace {

std::wstring Widen(UINT codePage, const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string Narrow(UINT codePage, const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

}  // namespace

std::wstring WideFromUtf8(const std::string& text) { return Widen(CP_UTF8, text); }
std::string Utf8FromWide(const std::wstring& text) { return Narrow(CP_UTF8, text); }
std::string AnsiFromUtf8(const std::string& text) { return Narrow(CP_ACP, WideFromUtf8(text)); }
std::string Utf8FromAnsi(const std::string& text) { return Utf8FromWide(Widen(CP_ACP, text)); }

}  // namespace qm::platform
