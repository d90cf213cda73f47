#include "plugin/hooks/write_jump.h"

#include <cstring>

#include "plugin/hooks/page_protection.h"

void EncodeJump(uint32_t site, uint32_t end, uint32_t stub, uint8_t* out) {
  const uint32_t displacement = stub - site - kJumpSize;  // wraps: negative below the site
  out[0] = 0xE9;
  std::memcpy(out + 1, &displacement, sizeof displacement);
  std::memset(out + kJumpSize, 0x90, end - site - kJumpSize);
}

bool WriteJump(uint32_t site, uint32_t end, uint32_t stub) {
  if (end < site + kJumpSize) return false;
  const uint32_t size = end - site;
  uint32_t previous = 0;
  if (!UnprotectCode(site, size, &previous)) return false;
  // The instruction cache is not flushed: x86 keeps it coherent with stores.
  EncodeJump(site, end, stub, reinterpret_cast<uint8_t*>(site));
  return ReprotectCode(site, size, previous);
}
