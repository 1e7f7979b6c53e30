// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moving one file without ever losing it or replacing another.

#include <string>

namespace qm::removal {

// Moves the file (a link itself, never what it points to) at source to
// destination, which must not exist: an existing destination is never
// replaced. Within one file system the file is renamed; across file systems
// it is copied to a temporary name beside the destination, compared with the
// source, given its name, and only then is the source removed. False when
// anything fails; then the source is where it was and no partial file is
// left.
bool MoveFileVerified(const std::string& source, const std::string& destination);

}  // namespace qm::removal
