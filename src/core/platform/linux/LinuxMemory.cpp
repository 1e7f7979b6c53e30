// SPDX-License-Identifier: GPL-3.0-or-later
#include <malloc.h>

#include "core/platform/Memory.h"

namespace qm::platform {

// Also the free pages inside the heap, not only those at its end.
void ReturnFreedMemory() { malloc_trim(0); }

}  // namespace qm::platform
