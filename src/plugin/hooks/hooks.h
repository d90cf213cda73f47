#pragma once
// The 31 places in the game's code that are patched to jump into the stubs, in installation
// order, and how one is installed.

#include <cstdint>
#include <span>

// The code a row expects at its site: the bytes of the displaced instructions as the table
// lists them. At most one field holds a game address: an absolute operand, or the target of a
// relative branch (stored relative to the end of its field, as the processor reads it).
struct OriginalCode {
  enum class Field : uint8_t { None, Absolute32, Relative8, Relative32 };
  uint8_t length = 0;  // bytes compared; may be fewer than the row replaces
  uint8_t bytes[12] = {};
  Field field = Field::None;
  uint8_t fieldOffset = 0;
  uint32_t address = 0;
};

// A data word the stub reads: where it continues, whom it calls, what it loads.
struct StubSlot {
  uint32_t* slot = nullptr;
  uint32_t address = 0;
};

struct HookSite {
  int32_t number;  // 1-based row number
  uint32_t site;   // first patched byte
  uint32_t end;    // first byte after the patch
  void (*stub)();
  OriginalCode code;
  OriginalCode alternative;  // the same instructions in another encoding of equal length
  StubSlot slots[3];
};

std::span<const HookSite> HookTable();

// The expected bytes of `code` for a row, with its address field filled in.
void ExpectedBytes(const HookSite& row, const OriginalCode& code, uint8_t* out);
// Whether the bytes at `code` are the row's displaced instructions (either encoding).
bool SiteHoldsOriginalCode(const HookSite& row, const uint8_t* code);

enum class HookResult { Installed, CodeDiffers, NotWritable };

// Fills the stub's slots, compares the site with the expected code and writes the jump.
HookResult InstallHook(const HookSite& row);

// Installs every row in order. A row whose code differs is left alone and named on the
// console; one whose protection cannot be changed is simply missing.
void InstallHooks();

// Process-wide state of the stubs, plain words without a lock.
extern "C" int32_t faceCrosshairState;     // in/out of the face-crosshair override
extern "C" int32_t insidePitchClampCaller;  // 1 while the pitch-clamping host function runs
