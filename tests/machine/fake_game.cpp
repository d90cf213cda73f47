#include "fake_game.h"

#include "host/game/addresses.h"
#include "site_runner.h"

extern "C" {
#define VANTREL_LISTING(n) extern const uint8_t originalCode##n[], originalCode##n##End[];
VANTREL_LISTING(1) VANTREL_LISTING(2) VANTREL_LISTING(3) VANTREL_LISTING(4) VANTREL_LISTING(5)
VANTREL_LISTING(6) VANTREL_LISTING(7) VANTREL_LISTING(8) VANTREL_LISTING(9)
VANTREL_LISTING(10) VANTREL_LISTING(11) VANTREL_LISTING(12) VANTREL_LISTING(13)
VANTREL_LISTING(14) VANTREL_LISTING(15) VANTREL_LISTING(16) VANTREL_LISTING(17)
VANTREL_LISTING(18) VANTREL_LISTING(19) VANTREL_LISTING(20) VANTREL_LISTING(21)
VANTREL_LISTING(22) VANTREL_LISTING(23) VANTREL_LISTING(24) VANTREL_LISTING(25)
VANTREL_LISTING(26) VANTREL_LISTING(27) VANTREL_LISTING(28) VANTREL_LISTING(29)
VANTREL_LISTING(30) VANTREL_LISTING(31)
#undef VANTREL_LISTING
}

namespace {

#define VANTREL_LISTING(n) \
  std::span<const uint8_t>(originalCode##n, originalCode##n##End - originalCode##n)
const std::span<const uint8_t> kListings[] = {
    VANTREL_LISTING(1),  VANTREL_LISTING(2),  VANTREL_LISTING(3),  VANTREL_LISTING(4),
    VANTREL_LISTING(5),  VANTREL_LISTING(6),  VANTREL_LISTING(7),  VANTREL_LISTING(8),
    VANTREL_LISTING(9),  VANTREL_LISTING(10), VANTREL_LISTING(11), VANTREL_LISTING(12),
    VANTREL_LISTING(13), VANTREL_LISTING(14), VANTREL_LISTING(15), VANTREL_LISTING(16),
    VANTREL_LISTING(17), VANTREL_LISTING(18), VANTREL_LISTING(19), VANTREL_LISTING(20),
    VANTREL_LISTING(21), VANTREL_LISTING(22), VANTREL_LISTING(23), VANTREL_LISTING(24),
    VANTREL_LISTING(25), VANTREL_LISTING(26), VANTREL_LISTING(27), VANTREL_LISTING(28),
    VANTREL_LISTING(29), VANTREL_LISTING(30), VANTREL_LISTING(31)};
#undef VANTREL_LISTING

// Where the stubs and the original code may continue besides the end of each site.
constexpr uint32_t kBranchTargets[] = {Hook1::skip,  Hook2::skip,  Hook8::skip, Hook13::skip,
                                       Hook17::skip, Hook27::skip, kReturnPad};
constexpr uint32_t kCallTargets[] = {Hook3::call, Hook4::call, Hook11::call, Hook15::call,
                                     Hook28::call};

void PlaceLandingPad(uint32_t at) {
  Poke<uint8_t>(at, 0xE8);  // CALL SiteReached: the return address names the pad
  Poke<uint32_t>(at + 1, reinterpret_cast<uint32_t>(&SiteReached) - at - kLandingPadSize);
}

}  // namespace

const HookSite& Row(int number) { return HookTable()[number - 1]; }

std::span<const uint8_t> OriginalListing(int row) { return kListings[row - 1]; }

void PlaceJump(uint32_t at, const void* target) {
  Poke<uint8_t>(at, 0xE9);
  Poke<uint32_t>(at + 1, reinterpret_cast<uint32_t>(target) - at - 5);
}

void RestoreOriginalCode(const HookSite& row) {
  const std::span<const uint8_t> listing = OriginalListing(row.number);
  std::memcpy(reinterpret_cast<void*>(row.site), listing.data(), listing.size());
}

void BuildFakeImage() {
  for (const HookSite& row : HookTable()) {
    RestoreOriginalCode(row);
    if (row.number != 23) PlaceLandingPad(row.end);
  }
  for (uint32_t target : kBranchTargets) PlaceLandingPad(target);
  for (uint32_t target : kCallTargets) PlaceJump(target, reinterpret_cast<const void*>(&FakeCallee));
}
