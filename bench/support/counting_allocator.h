#pragma once
// The bench programs replace the global allocation functions to count what the code under
// measurement takes from the heap: calls to operator new, and the bytes in use.

#include <cstdint>

int64_t AllocationCount();  // calls to operator new so far
int64_t LiveHeapBytes();    // usable bytes of the blocks not yet deleted
