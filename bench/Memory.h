// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the process's resident memory is made of, from /proc/self/smaps and
// the C library's allocator.

#include <cstdio>

struct MemoryNow {
  long residentMib = -1;   // the resident set now, not its lifetime peak
  long anonymousMib = 0;   // heap, thread stacks and other memory of no file
  long fontFilesMib = 0;   // pages of mapped font files
  long otherFilesMib = 0;  // libraries and other mapped files
  long heapUsedMib = 0;    // allocated and not yet freed (malloc)
  long heapFreeMib = 0;    // freed but still held by the allocator
};

MemoryNow ReadMemoryNow();

// "memory now WHEN: N MiB (anonymous …, font files …, …)".
void PrintMemory(const char* when);

// The font files mapped now, and the count most resident of them.
void PrintLargestFontFiles(int count);
