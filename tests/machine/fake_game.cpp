// The fake game image: the game's original code at each site, its landing pads, its functions.

#include "fake_game.h"

#include "plugin/hooks/hooks.h"
#include "site_runner.h"

namespace {

struct ListedSite {
  uint32_t site;
  const uint8_t* code;
  const uint8_t* codeEnd;
};

extern "C" const ListedSite originalSites[kHookCount];

// Where the game's code branches to or returns to besides the end of each site.
constexpr uint32_t kBranchTargets[] = {0x006CF3FD, 0x0083D3A1, 0x00840D08,
                                       0x00B179D4, 0x00772AFE, kReturnPad};
// The functions the sites call.
constexpr uint32_t kCallTargets[] = {0x0083F690, 0x0083CFB0, 0x0083CE90, 0x006A6EB0, 0x0064C170};

void PlaceLandingPad(uint32_t at) {
  Poke<uint8_t>(at, 0xE8);  // CALL SiteReached: the return address names the pad
  Poke<uint32_t>(at + 1, reinterpret_cast<uint32_t>(&SiteReached) - at - kLandingPadSize);
}

}  // namespace

uint32_t OriginalSite(int row) { return originalSites[row - 1].site; }

std::span<const uint8_t> OriginalListing(int row) {
  const ListedSite& listed = originalSites[row - 1];
  return {listed.code, listed.codeEnd};
}

void PlaceJump(uint32_t at, const void* target) {
  Poke<uint8_t>(at, 0xE9);
  Poke<uint32_t>(at + 1, reinterpret_cast<uint32_t>(target) - at - 5);
}

void RestoreOriginalCode(int row) {
  const std::span<const uint8_t> listing = OriginalListing(row);
  std::memcpy(reinterpret_cast<void*>(OriginalSite(row)), listing.data(), listing.size());
}

void BuildFakeImage() {
  for (int row = 1; row <= kHookCount; ++row) {
    RestoreOriginalCode(row);
    if (row != 23) PlaceLandingPad(OriginalSite(row) + OriginalListing(row).size());
  }
  for (uint32_t target : kBranchTargets) PlaceLandingPad(target);
  for (uint32_t target : kCallTargets) PlaceJump(target, reinterpret_cast<const void*>(&FakeCallee));
}
