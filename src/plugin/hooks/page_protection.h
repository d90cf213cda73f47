#pragma once
// Making game code writable for a moment: VirtualProtect in the DLL, mprotect in the 32-bit
// Linux tests. `previous` is the protection the first page had, in the platform's own terms.

#include <cstdint>

// Makes [address, address + size) readable, writable and executable.
bool UnprotectCode(uint32_t address, uint32_t size, uint32_t* previous);
bool ReprotectCode(uint32_t address, uint32_t size, uint32_t previous);
