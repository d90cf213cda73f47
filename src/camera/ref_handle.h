#pragma once
// Reference handles: the game's counted way of naming a reference, e.g. the crosshair's.

#include <cstdint>

#include "host/host.h"

// Resolve takes a reference count, release drops it and clears the slot.
void ResolveRefHandle(HostRef*& out, uint32_t handle);
void ReleaseRef(HostRef*& slot);
