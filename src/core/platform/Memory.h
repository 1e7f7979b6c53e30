// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The process's memory as the system counts it.

namespace qm::platform {

// Gives the pages of memory the program has freed back to the system. The
// allocator keeps freed memory for later use: after many faces were closed
// that would otherwise stay counted as the program's for as long as it runs.
void ReturnFreedMemory();

}  // namespace qm::platform
