// SPDX-License-Identifier: GPL-3.0-or-later
#include <malloc.h>

#include "core/platform/Memory.h"

namespace qm::platform {

void ReturnFreedMemory() { _heapmin(); }

}  // namespace qm::platform
