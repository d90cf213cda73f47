#pragma once
// The patch itself: a 32-bit relative jump to the stub over the first five bytes of a site and
// 0x90 over the rest of the replaced bytes.

#include <cstdint>

constexpr uint32_t kJumpSize = 5;

// E9 xxxxxxxx: JMP site+5+xxxxxxxx, then (end - site - 5) x 90. `out` holds end - site bytes.
void EncodeJump(uint32_t site, uint32_t end, uint32_t stub, uint8_t* out);

// Makes the site writable, writes the jump and restores the protection. False when the
// protection cannot be changed (nothing is written then) or cannot be restored.
bool WriteJump(uint32_t site, uint32_t end, uint32_t stub);
