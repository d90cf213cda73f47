#pragma once
// The stubs of hook_stubs.S and the data slots they jump, call and load through, one set per
// row of hooks.def. A DLL can be relocated and PE has no PC-relative fix-ups, so game
// addresses are reached through these absolute words, which the hook table fills before it
// patches a site.

#include <cstdint>

extern "C" {
#define HOOK(number, name, site, end) void name##Stub();
#define HOOK_SLOT(name, role, address) extern uint32_t name##role;
#include "host/game/hooks.def"
}
