// Writing a jump or code bytes into the game's code, its page made writable and then restored.

#include "plugin/hooks/write_jump.h"

#include <cstring>

#include "plugin/hooks/page_protection.h"

namespace {

template <typename Write>
PatchResult Patch(uint32_t site, uint32_t size, Write write) {
  uint32_t previous = 0;
  if (!UnprotectCode(site, size, &previous)) return PatchResult::NotWritten;
  // The instruction cache is not flushed: x86 keeps it coherent with stores.
  write(reinterpret_cast<uint8_t*>(site));
  return ReprotectCode(site, size, previous) ? PatchResult::Written
                                             : PatchResult::WrittenLeftWritable;
}

}  // namespace

void EncodeJump(uint32_t site, uint32_t end, uint32_t stub, uint8_t* out) {
  const uint32_t displacement = stub - site - kJumpSize;  // wraps: negative below the site
  out[0] = 0xE9;
  std::memcpy(out + 1, &displacement, sizeof displacement);
  std::memset(out + kJumpSize, 0x90, end - site - kJumpSize);
}

PatchResult WriteJump(uint32_t site, uint32_t end, uint32_t stub) {
  if (end < site + kJumpSize) return PatchResult::NotWritten;
  return Patch(site, end - site, [&](uint8_t* code) { EncodeJump(site, end, stub, code); });
}

PatchResult WriteCode(uint32_t site, const uint8_t* bytes, uint32_t size) {
  return Patch(site, size, [&](uint8_t* code) { std::memcpy(code, bytes, size); });
}
