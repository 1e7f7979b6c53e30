// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a file operation failed, told in the user's language.

#include <windows.h>

#include <string>

namespace qm::platform {

// The reason for a Win32 error code of a file or folder call.
std::string FileErrorReason(DWORD error);

}  // namespace qm::platform
