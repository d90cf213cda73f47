// Every stub executed through its patched site in the fake image, against the game's own code
// run from the same machine state, in each case the DLL tier also drives: the bridge doubles
// give the case's answer, and each bridge must be called with the right arguments on a
// 16-byte aligned stack, before or after the game's own call as the row says.
#include <gtest/gtest.h>

#include "bridge_doubles.h"
#include "fake_game.h"
#include "hook_rows.h"
#include "plugin/hooks/hooks.h"
#include "site_oracle.h"

namespace {

class MachineTier : public SiteTier {
 public:
  MachineTier() {
    bridgeEffects = {.position = {1, 2, 3},
                     .rotation = {0, -1, 0, 1, 0, 0, 0, 0, 1},
                     .yaw = 0.5f,
                     .pitch = -0.25f,
                     .pitchMinimum = -0.75f,
                     .pitchMaximum = 0.75f,
                     .turn = 4,
                     .faceCrosshairState = reinterpret_cast<uint32_t>(&faceCrosshairState)};
  }

  void PutOriginalCode(int row) override { RestoreOriginalCode(row); }
  void PutPatch(int row) override {
    RestoreOriginalCode(row);
    EXPECT_EQ(InstallHook(Row(row)), HookResult::Installed) << "row " << row;
    bridgeCalls.clear();
  }
  void Arrange(const SiteCase& siteCase) override { bridgeAnswer = siteCase.answer; }
  const SiteEffects& Effects() const override { return bridgeEffects; }
  void AfterHookedRun() override { calls_ = bridgeCalls; }

  void CheckMore(const SiteCase&, const CaseExpectation& expectation,
                 std::vector<std::string>& differences) override {
    const std::vector<ExpectedCall>& expected = expectation.calls;
    if (calls_.size() != expected.size()) {
      differences.push_back(std::to_string(calls_.size()) + " bridge calls instead of " +
                            std::to_string(expected.size()));
      return;
    }
    for (size_t i = 0; i < expected.size(); ++i) {
      const BridgeCall& call = calls_[i];
      const std::string& name = expected[i].name;
      if (call.name != name) differences.push_back("called " + call.name + " instead of " + name);
      if (call.args != expected[i].args) differences.push_back(name + ": other arguments");
      if (!call.alignedStack) differences.push_back(name + ": stack not aligned to 16 bytes");
      if (call.calleeCount != expected[i].calleesBefore) {
        differences.push_back(name + ": called on the wrong side of the game's own call");
      }
    }
  }

 private:
  std::vector<BridgeCall> calls_;
};

class SiteCasesTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MapFakeImage());
    BuildFakeImage();
    ResetBridges();
    insidePitchClampCaller = 0;
  }

  static SiteBench bench;
};

SiteBench SiteCasesTest::bench;

TEST_P(SiteCasesTest, EveryCaseLeavesWhatTheGameCodeLeavesApartFromTheHooksPurpose) {
  MachineTier tier;
  for (const std::string& failure : CheckSite(tier, bench, GetParam())) ADD_FAILURE() << failure;
}

INSTANTIATE_TEST_SUITE_P(Rows, SiteCasesTest, ::testing::Range(1, kHookCount + 1));

}  // namespace
