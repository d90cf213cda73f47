// Page protection of the game's code on Windows: VirtualProtect.

#include <windows.h>

#include "plugin/hooks/page_protection.h"

bool UnprotectCode(uint32_t address, uint32_t size, uint32_t* previous) {
  DWORD old = 0;
  if (!VirtualProtect(reinterpret_cast<void*>(address), size, PAGE_EXECUTE_READWRITE, &old)) {
    return false;
  }
  *previous = old;
  return true;
}

bool ReprotectCode(uint32_t address, uint32_t size, uint32_t previous) {
  DWORD scratch = 0;
  return VirtualProtect(reinterpret_cast<void*>(address), size, previous, &scratch) != 0;
}
