// The hook table against the game's code: what each row expects at its site, and how a site
// that holds something else is left alone.
#include <gtest/gtest.h>

#include <memory>

#include "fake_game.h"
#include "hook_rows.h"
#include "plugin/hooks/hooks.h"
#include "plugin/plugin.h"

namespace {

uint32_t JumpTarget(uint32_t site) { return site + 5 + Peek<uint32_t>(site + 1); }

class HookTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MapFakeImage());
    BuildFakeImage();
  }
};

TEST_F(HookTableTest, EveryRowRecognisesTheAssembledListingOfItsSite) {
  ASSERT_EQ(HookTable().size(), 31u);
  for (const HookSite& row : HookTable()) {
    const std::span<const uint8_t> listing = OriginalListing(row.number);
    EXPECT_EQ(row.site, OriginalSite(row.number)) << "row " << row.number;
    ASSERT_EQ(listing.size(), row.end - row.site) << "row " << row.number;
    EXPECT_GE(row.end - row.site, 5u);
    EXPECT_LE(row.code.length, listing.size());
    EXPECT_TRUE(SiteHoldsOriginalCode(row, listing.data())) << "row " << row.number;
  }
}

TEST_F(HookTableTest, RowsAreInOrderAndSitesDoNotOverlap) {
  for (size_t i = 0; i < HookTable().size(); ++i) {
    const HookSite& row = HookTable()[i];
    EXPECT_EQ(row.number, static_cast<int32_t>(i + 1));
    for (const HookSite& other : HookTable()) {
      if (&other == &row) continue;
      EXPECT_TRUE(row.end <= other.site || other.end <= row.site) << row.number << other.number;
    }
  }
}

TEST_F(HookTableTest, EitherEncodingOfARegisterMoveIsAccepted) {
  const HookSite& row = Row(10);
  uint8_t code[7] = {0x51, 0x56, 0x89, 0xCE, 0x8B, 0x4E, 0x08};  // mov esi,ecx as 89 CE
  EXPECT_TRUE(SiteHoldsOriginalCode(row, code));
  code[3] = 0xCF;  // mov edi,ecx
  EXPECT_FALSE(SiteHoldsOriginalCode(row, code));
}

TEST_F(HookTableTest, RelativeTargetsAndAbsoluteOperandsMustMatchTheGameBuild) {
  uint8_t call[5];
  std::memcpy(call, OriginalListing(3).data(), 5);
  call[1] ^= 0x10;  // a call to another function
  EXPECT_FALSE(SiteHoldsOriginalCode(Row(3), call));

  uint8_t load[6];
  std::memcpy(load, OriginalListing(16).data(), 6);
  load[5] = 0x02;  // mov ecx,[022E35C8h]
  EXPECT_FALSE(SiteHoldsOriginalCode(Row(16), load));
}

TEST_F(HookTableTest, BytesBeyondTheListedInstructionsAreNotCompared) {
  Poke<uint8_t>(Row(18).site + 8, 0x12);
  Poke<uint8_t>(Row(23).site + 4, 0x12);
  EXPECT_EQ(InstallHook(Row(18)), HookResult::Installed);
  EXPECT_EQ(InstallHook(Row(23)), HookResult::Installed);
}

TEST_F(HookTableTest, AForeignPatchIsLeftAloneAndNamedWhileTheOthersInstall) {
  const HookSite& foreign = Row(5);
  const uint8_t foreignJump[7] = {0xE9, 0x10, 0x20, 0x30, 0x00, 0x90, 0x90};
  std::memcpy(reinterpret_cast<void*>(foreign.site), foreignJump, sizeof foreignJump);

  Plugin& plugin = Plugin::Instance();
  plugin.currentRegistry = plugin.NewSession();
  InstallHooks();
  const std::unique_ptr<Session> registry = std::move(plugin.currentRegistry);

  EXPECT_EQ(std::memcmp(reinterpret_cast<void*>(foreign.site), foreignJump, 7), 0);
  ASSERT_EQ(registry->messageQueue.size(), 1u);
  EXPECT_EQ(registry->messageQueue.front(),
            "Vantrel: Hook 5 at 00838C37 was not installed: the game code there is not what "
            "was expected.");
  for (const HookSite& row : HookTable()) {
    if (row.number == 5) continue;
    EXPECT_EQ(Peek<uint8_t>(row.site), 0xE9) << "row " << row.number;
    EXPECT_EQ(JumpTarget(row.site), reinterpret_cast<uint32_t>(row.stub)) << row.number;
    for (uint32_t filler = row.site + 5; filler < row.end; ++filler) {
      EXPECT_EQ(Peek<uint8_t>(filler), 0x90) << "row " << row.number;
    }
  }
}

}  // namespace
