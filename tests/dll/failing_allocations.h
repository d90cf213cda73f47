#pragma once
// The DLL's heap allocations, taken over at its import slots so that the harness can make one
// fail: operator new then throws inside whatever operation of the DLL was running.
//
// Only one fails at a time: with every allocation failing, the first exception the runtime
// throws from its emergency pool recurses (the pool's mutex allocates when first locked).

#include <windows.h>

// Points the DLL's malloc, calloc and realloc imports at the harness; false if one is missing.
bool InterceptAllocations(HMODULE dll);

// The DLL's next allocation fails; none fails after `Refused() > 0` or RefuseNone().
void RefuseNextAllocation();
void RefuseNone();
int Refused();  // allocations refused since RefuseNextAllocation
