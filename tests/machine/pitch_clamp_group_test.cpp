// The pitch-clamp hooks (29 to 31) when the system will not restore a page's old protection:
// the jump written there still counts, so the group is installed whole, or put back whole when
// another of its rows cannot be written.
#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "fake_game.h"
#include "hook_rows.h"
#include "plugin/hooks/hooks.h"
#include "plugin/plugin.h"
#include "refused_protection.h"

namespace {

constexpr int kGroup[] = {29, 30, 31};

void ProtectGroupPages(int protection) {
  for (int number : kGroup) {
    mprotect(reinterpret_cast<void*>(Row(number).site & ~0xFFFu), 0x1000, protection);
  }
}

bool HoldsJumpToStub(const HookSite& row) {
  return Peek<uint8_t>(row.site) == 0xE9 &&
         row.site + 5 + Peek<uint32_t>(row.site + 1) == reinterpret_cast<uint32_t>(row.stub);
}

bool HoldsGameCode(int number) {
  const std::span<const uint8_t> listing = OriginalListing(number);
  const void* code = reinterpret_cast<const void*>(Row(number).site);
  return std::memcmp(code, listing.data(), listing.size()) == 0;
}

std::string PartnerMissingLine(int number) {
  char line[160];
  std::snprintf(line, sizeof line,
                "Vantrel: Hook %d at %08X was not installed: the hooks it works with could not "
                "all be installed.",
                number, static_cast<unsigned>(Row(number).site));
  return line;
}

class PitchClampGroup : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(MapFakeImage()); }
  void TearDown() override {
    AllowProtectionChanges();
    ProtectGroupPages(PROT_READ | PROT_WRITE | PROT_EXEC);
  }
};

TEST_F(PitchClampGroup, AFailedRestoreOnAnyPageStillInstallsTheGroupTogetherOrNotAtAll) {
  const struct {
    int restoreRefused;      // the row whose page keeps write access after its jump is written
    int unwritable;          // a row whose page cannot be made writable, or 0
    std::vector<int> named;  // rows named as not installed for want of their partners
  } cases[] = {
      {29, 0, {}},        {30, 0, {}},        {31, 0, {}},
      {29, 31, {29, 30}}, {30, 31, {29, 30}}, {29, 30, {29, 31}},
  };
  Plugin& plugin = Plugin::Instance();
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "restore refused at " << c.restoreRefused << ", unwritable " << c.unwritable);
    BuildFakeImage();
    ProtectGroupPages(PROT_READ | PROT_EXEC);  // as the game's code is
    RefuseProtectionChange(Row(c.restoreRefused).end, ProtectionChange::Restoring);
    if (c.unwritable) {
      RefuseProtectionChange(Row(c.unwritable).end, ProtectionChange::MakingWritable);
    }

    plugin.ReplaceSession(plugin.NewSession());
    InstallHooks();
    const std::unique_ptr<Session> session = plugin.ReplaceSession(nullptr);
    AllowProtectionChanges();
    ProtectGroupPages(PROT_READ | PROT_WRITE | PROT_EXEC);

    // Together or not at all: every row of the group holds its jump, or every one its code.
    for (int number : kGroup) {
      EXPECT_TRUE(c.unwritable ? HoldsGameCode(number) : HoldsJumpToStub(Row(number)))
          << "row " << number;
    }
    std::vector<std::string> expected;
    for (int number : c.named) expected.push_back(PartnerMissingLine(number));
    EXPECT_EQ(
        std::vector<std::string>(session->messageQueue.begin(), session->messageQueue.end()),
        expected);
  }
}

}  // namespace
