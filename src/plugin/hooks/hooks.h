#pragma once
// The 31 places in the game's code that are patched to jump into the stubs (listed in
// host/game/hooks.def), and how one is installed.

#include <cstdint>
#include <span>
#include <vector>

// The code a row expects at its site: the bytes of the displaced instructions as the table
// lists them. At most one field holds a game address: an absolute operand, or the target of a
// relative branch (stored relative to the end of its field, as the processor reads it). When
// the instructions are shorter than the patch, the bytes after them must be padding.
struct OriginalCode {
  enum class Field : uint8_t { None, Absolute32, Relative8, Relative32 };
  uint8_t length = 0;  // bytes of the instructions; at most the bytes the row replaces
  uint8_t bytes[12] = {};
  Field field = Field::None;
  uint8_t fieldOffset = 0;
  uint32_t address = 0;
};

// A data word a stub reads: where it continues, whom it calls, what it loads.
struct StubSlot {
  int32_t row;  // the number of the row whose stub reads it
  uint32_t* slot;
  uint32_t address;
};

// Rows that only work together are installed all together or not at all.
enum class HookGroup : uint8_t { None, PitchClamp };

struct HookSite {
  int32_t number;  // 1-based row number
  uint32_t site;   // first patched byte
  uint32_t end;    // first byte after the patch
  void (*stub)();
  OriginalCode code;
  OriginalCode alternatives[2];  // the same instructions in other encodings
  HookGroup group = HookGroup::None;
};

// The number of rows in hooks.def.
constexpr int32_t kHookCount = 0
#define HOOK(number, name, site, end) +1
#include "host/game/hooks.def"
    ;

// The rows of hooks.def, in installation order, and their stubs' data slots.
std::span<const HookSite> HookTable();
std::span<const StubSlot> StubSlots();

// The expected bytes of `code` for a row, with its address field filled in.
void ExpectedBytes(const HookSite& row, const OriginalCode& code, uint8_t* out);
// Whether the row's end - site bytes at `code` are its displaced instructions (in any of
// their encodings) followed by padding only.
bool SiteHoldsOriginalCode(const HookSite& row, const uint8_t* code);
// Filler a compiler leaves between functions: 0x90 or 0xCC bytes, or the 3-byte NOP 0F 1F 00.
bool IsPadding(const uint8_t* bytes, uint32_t size);

enum class HookResult {
  Installed,
  InstalledLeftWritable,  // the jump is in place, the old page protection was not restored
  CodeDiffers,
  NotWritable,
  PartnerMissing,  // its code is as expected, but a row of its group could not be installed
};

// Fills the stub's slots, compares the site with the expected code and writes the jump.
HookResult InstallHook(const HookSite& row);

// Installs consecutive rows of one group: all of them, or none (the ones written are put back
// when a later one fails). Returns one result per row.
std::vector<HookResult> InstallTogether(std::span<const HookSite> rows);

// Installs every row in order, each group as a whole. A row whose code differs, and the other
// rows of its group, are left alone and named on the console; one whose protection cannot be
// changed is simply missing.
void InstallHooks();

// Process-wide state of the stubs, plain words without a lock.
extern "C" int32_t faceCrosshairState;     // in/out of the face-crosshair override
extern "C" int32_t insidePitchClampCaller;  // 1 while the pitch-clamping host function runs
