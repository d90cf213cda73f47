#pragma once
// The patch itself: a 32-bit relative jump to the stub over the first five bytes of a site and
// 0x90 over the rest of the replaced bytes; and putting a site's own bytes back.

#include <cstdint>

constexpr uint32_t kJumpSize = 5;

// E9 xxxxxxxx: JMP site+5+xxxxxxxx, then (end - site - 5) x 90. `out` holds end - site bytes.
void EncodeJump(uint32_t site, uint32_t end, uint32_t stub, uint8_t* out);

enum class PatchResult {
  Written,
  WrittenLeftWritable,  // the bytes are written, but the old protection could not be restored
  NotWritten,           // the protection could not be changed (or the site is too short)
};

// Makes the site writable, writes the jump and restores the protection.
PatchResult WriteJump(uint32_t site, uint32_t end, uint32_t stub);
// The same for `size` given bytes: a site's original code, when a patch is undone.
PatchResult WriteCode(uint32_t site, const uint8_t* bytes, uint32_t size);
