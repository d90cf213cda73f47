// Every stub executed through its patched site in the fake image, against the game's own code
// run from the same machine state: registers, flags, x87 stack, stack and memory must come out
// as the row states, the bridge must be called with the right arguments, and execution must
// continue at the right address on each branch.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "bridge_doubles.h"
#include "fake_game.h"
#include "hook_rows.h"
#include "plugin/hooks/hooks.h"
#include "site_runner.h"

namespace {

alignas(16) uint8_t stackMemory[8192];
alignas(16) uint8_t arena[8192];

constexpr uint32_t kFlagsSet = 0xCD7;    // CF PF AF ZF SF DF OF
constexpr uint32_t kFlagsClear = 0x202;  // none of them
constexpr uint32_t kZeroFlag = 0x40;

uint32_t Address(const void* pointer) { return reinterpret_cast<uint32_t>(pointer); }

struct Outcome {
  CpuState cpu{};
  std::vector<uint8_t> stack;  // from the final stack pointer to the top
  std::vector<uint8_t> arena;
  std::vector<BridgeCall> calls;
  uint32_t calleeCount = 0;
  uint32_t calleeEsp = 0;
};

void ExpectSameState(const Outcome& hooked, const Outcome& golden) {
  EXPECT_EQ(hooked.cpu.reached, golden.cpu.reached);
  EXPECT_EQ(hooked.cpu.eax, golden.cpu.eax);
  EXPECT_EQ(hooked.cpu.ecx, golden.cpu.ecx);
  EXPECT_EQ(hooked.cpu.edx, golden.cpu.edx);
  EXPECT_EQ(hooked.cpu.ebx, golden.cpu.ebx);
  EXPECT_EQ(hooked.cpu.esp, golden.cpu.esp);
  EXPECT_EQ(hooked.cpu.ebp, golden.cpu.ebp);
  EXPECT_EQ(hooked.cpu.esi, golden.cpu.esi);
  EXPECT_EQ(hooked.cpu.edi, golden.cpu.edi);
  EXPECT_EQ(hooked.cpu.eflags, golden.cpu.eflags);
  EXPECT_EQ(hooked.cpu.fpuDepth, golden.cpu.fpuDepth);
  if (golden.cpu.fpuDepth > 0) {
    EXPECT_EQ(std::memcmp(&hooked.cpu.st0, &golden.cpu.st0, sizeof(float)), 0);
  }
  EXPECT_TRUE(hooked.stack == golden.stack) << "stack contents differ";
  EXPECT_TRUE(hooked.arena == golden.arena) << "memory contents differ";
  EXPECT_EQ(hooked.calleeCount, golden.calleeCount);
  EXPECT_EQ(hooked.calleeEsp, golden.calleeEsp);
}

void ExpectCalls(const Outcome& outcome,
                 const std::vector<std::pair<std::string, std::vector<uint32_t>>>& expected) {
  ASSERT_EQ(outcome.calls.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(outcome.calls[i].name, expected[i].first);
    EXPECT_EQ(outcome.calls[i].args, expected[i].second) << expected[i].first;
    EXPECT_TRUE(outcome.calls[i].alignedStack) << expected[i].first;
  }
}

class HookStubTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MapFakeImage());
    BuildFakeImage();
    ResetBridges();
    insidePitchClampCaller = 0;
    fakeCalleeResult = 0;
    Poke<uint32_t>(0x012E35C8, 0x13572468);  // loaded at 16
    Poke<uint8_t>(0x012E2BD8, 0x01);         // tested at 24
    Poke<uint32_t>(0x01B2E8E4, 0x2468ACE0);  // loaded at 26
  }

  // Registers point into the arena, the stack pointer into the middle of the stack memory.
  static CpuState Input(uint32_t flags = kFlagsSet) {
    CpuState in{};
    in.eax = Address(arena) + 0x100;
    in.ecx = Address(arena) + 0x200;
    in.edx = Address(arena) + 0x300;
    in.ebx = Address(arena) + 0x400;
    in.ebp = Address(arena) + 0x500;
    in.esi = Address(arena) + 0x600;
    in.edi = Address(arena) + 0x700;
    in.esp = Address(stackMemory) + 4096;
    in.eflags = flags;
    return in;
  }

  // A word to place in memory before every run (after the baseline pattern).
  void Set32(uint32_t address, uint32_t value) { edits_.push_back({address, value, 4}); }
  void Set8(uint32_t address, uint8_t value) { edits_.push_back({address, value, 1}); }

  Outcome Execute(uint32_t address, const CpuState& in) {
    // Words of normal floats, so that loaded x87 values compare exactly.
    for (uint32_t i = 0; i < sizeof stackMemory; i += 4) Poke<uint32_t>(Address(stackMemory) + i, 0x40000000 | i << 4);
    for (uint32_t i = 0; i < sizeof arena; i += 4) Poke<uint32_t>(Address(arena) + i, 0x41000000 | i << 4);
    Poke<uint32_t>(in.esp + 4, kReturnPad);  // where an epilogue returns to
    for (const Edit& edit : edits_) {
      std::memcpy(reinterpret_cast<void*>(edit.address), &edit.value, edit.size);
    }
    bridgeCalls.clear();
    fakeCalleeCount = 0;
    fakeCalleeEsp = 0;
    Outcome outcome;
    RunSite(address, &in, &outcome.cpu);
    const uint32_t top = Address(stackMemory) + sizeof stackMemory;
    if (outcome.cpu.esp >= Address(stackMemory) && outcome.cpu.esp <= top) {
      outcome.stack.assign(reinterpret_cast<const uint8_t*>(outcome.cpu.esp),
                           reinterpret_cast<const uint8_t*>(top));
    }
    outcome.arena.assign(arena, arena + sizeof arena);
    outcome.calls = bridgeCalls;
    outcome.calleeCount = fakeCalleeCount;
    outcome.calleeEsp = fakeCalleeEsp;
    return outcome;
  }

  // The game's own code at the site, unpatched.
  Outcome Golden(int row, const CpuState& in) {
    RestoreOriginalCode(row);
    return Execute(Row(row).site, in);
  }

  // The patched site, through its stub.
  Outcome Hooked(int row, const CpuState& in) {
    RestoreOriginalCode(row);
    EXPECT_EQ(InstallHook(Row(row)), HookResult::Installed);
    return Execute(Row(row).site, in);
  }

  // The state at the site itself, continuing elsewhere without running the displaced code.
  static Outcome Skipped(const Outcome& any, const CpuState& in, uint32_t reached) {
    Outcome skipped = any;
    skipped.cpu = in;
    skipped.cpu.reached = reached;
    skipped.cpu.eflags = any.cpu.eflags;
    return skipped;
  }

 private:
  struct Edit {
    uint32_t address;
    uint32_t value;
    size_t size;
  };
  std::vector<Edit> edits_;
};

// With every bridge giving its neutral answer, each stub is invisible to the game.
class EveryHook : public HookStubTest,
                  public ::testing::WithParamInterface<std::tuple<int, uint32_t>> {};

TEST_P(EveryHook, LeavesTheStateTheGameCodeLeaves) {
  const auto [row, flags] = GetParam();
  const CpuState in = Input(flags);
  const Outcome golden = Golden(row, in);
  const Outcome hooked = Hooked(row, in);
  ExpectSameState(hooked, golden);
  for (const BridgeCall& call : hooked.calls) EXPECT_TRUE(call.alignedStack) << call.name;
}

INSTANTIATE_TEST_SUITE_P(Rows, EveryHook,
                         ::testing::Combine(::testing::Range(1, kHookCount + 1),
                                            ::testing::Values(kFlagsSet, kFlagsClear)));

TEST_F(HookStubTest, HeadTrackedActorSkipsTheGameHeadTracking) {
  const CpuState in = Input();
  for (int row : {1, 2}) {
    SCOPED_TRACE(row);
    bridgeAnswers.headTracked = 0;
    const Outcome untracked = Hooked(row, in);
    ExpectSameState(untracked, Golden(row, in));
    ExpectCalls(untracked, {{"IsHeadTrackedActor", {in.esi}}});

    bridgeAnswers.headTracked = 1;
    const Outcome tracked = Hooked(row, in);
    EXPECT_EQ(tracked.cpu.reached, 0x006CF3FDu);
    ExpectSameState(tracked, Skipped(tracked, in, 0x006CF3FDu));
    EXPECT_EQ(tracked.cpu.eflags, in.eflags | 0x200);
  }
}

TEST_F(HookStubTest, CameraPositionAndRotationGoToTheBridgeAroundTheDisplacedCall) {
  const CpuState in = Input();
  Set32(in.esp + 0x2C, 0x00ABCDEF);
  Set32(in.esp + 0x5C, 0x00FEDCBA);

  const Outcome three = Hooked(3, in);
  ExpectCalls(three, {{"RestrictAndOverride",
                       {in.esi + 0xAC, in.esi + 0xB0, in.esi + 0x20, 0x00ABCDEF}}});
  EXPECT_EQ(three.calls[0].calleeCount, 0u);  // before the displaced call
  EXPECT_EQ(three.calleeCount, 1u);

  const Outcome four = Hooked(4, in);
  ExpectCalls(four, {{"Override", {in.esi, 0x00FEDCBA}}});
  EXPECT_EQ(four.calls[0].calleeCount, 1u);  // after it

  const Outcome five = Hooked(5, in);
  ExpectCalls(five, {{"Override", {in.ebp + 0x20, in.ebp + 0xBC}}});
}

TEST_F(HookStubTest, MountAndDismountPassTheActor) {
  const CpuState in = Input();
  ExpectCalls(Hooked(6, in), {{"OnDismountStart", {in.esi}}});
  ExpectCalls(Hooked(7, in), {{"OnMountStart", {in.esi}}});
}

TEST_F(HookStubTest, HostCameraSwitchIsSkippedWhenNotAllowed) {
  const CpuState in = Input();
  bridgeAnswers.allowsHostCameraSwitch = 0;
  const Outcome refused = Hooked(8, in);
  EXPECT_EQ(refused.cpu.reached, 0x0083D3A1u);
  ExpectSameState(refused, Skipped(refused, in, 0x0083D3A1u));
  EXPECT_EQ(refused.cpu.eflags, in.eflags | 0x200);
}

TEST_F(HookStubTest, FaceCrosshairStatesRewriteBlAndEax) {
  for (uint8_t bl : {0, 7}) {
    CpuState in = Input();
    in.ebx = 0x11223300 | bl;
    in.eax = 0x55667788;
    SCOPED_TRACE(bl);
    // state -> the registers the game then sees at its compare
    const std::vector<std::tuple<int32_t, uint8_t, uint32_t>> cases = {
        {3, 1, 0}, {4, 0, in.eax}, {5, 0, 1}, {2, bl, in.eax}, {-1, bl, in.eax}};
    for (const auto& [state, newBl, newEax] : cases) {
      SCOPED_TRACE(state);
      bridgeAnswers.faceCrosshairState = state;
      const Outcome hooked = Hooked(9, in);
      ExpectCalls(hooked, {{"FaceCrosshairOverride",
                            {Address(&faceCrosshairState), bl != 0 ? 1u : 0u}}});
      CpuState expectedIn = in;
      expectedIn.ebx = (in.ebx & ~0xFFu) | newBl;
      expectedIn.eax = newEax;
      ExpectSameState(hooked, Golden(9, expectedIn));
    }
  }
}

TEST_F(HookStubTest, FaceCrosshairArgumentIsTheMethodsFirstStackArgument) {
  const CpuState in = Input();
  const Outcome untouched = Hooked(10, in);
  ExpectCalls(untouched, {{"FaceCrosshairArgument", {in.esp + 4}}});

  bridgeAnswers.faceCrosshairArgument = true;
  const Outcome written = Hooked(10, in);
  Set32(in.esp + 4, 1);
  ExpectSameState(written, Golden(10, in));
}

TEST_F(HookStubTest, ZoomInActivationSkipsTheGamesFirstPersonSwitch) {
  const CpuState in = Input();
  bridgeAnswers.zoomIn = 1;
  const Outcome activated = Hooked(11, in);
  EXPECT_EQ(activated.calleeCount, 0u);
  ExpectSameState(activated, Skipped(activated, in, 0x00840E2Eu));

  bridgeAnswers.zoomIn = 0;
  const Outcome ignored = Hooked(11, in);
  EXPECT_EQ(ignored.calleeCount, 1u);
  ExpectCalls(ignored, {{"ZoomIn", {}}});
}

TEST_F(HookStubTest, ZoomOutOnlyWhenTheComparedValuesDiffer) {
  CpuState in = Input();
  ExpectCalls(Hooked(12, in), {{"ZoomOut", {}}});
  Set32(in.ebx + 0xF4, in.ecx);
  const Outcome equal = Hooked(12, in);
  EXPECT_TRUE(equal.calls.empty());
  ExpectSameState(equal, Golden(12, in));
}

TEST_F(HookStubTest, ToggleActivationSkipsTheGamesToggleAtThirteenOnly) {
  const CpuState in = Input();
  bridgeAnswers.toggleActivation = 1;
  const Outcome skipped = Hooked(13, in);
  EXPECT_EQ(skipped.cpu.reached, 0x00840D08u);
  ExpectSameState(skipped, Skipped(skipped, in, 0x00840D08u));

  const Outcome fourteen = Hooked(14, in);
  ExpectCalls(fourteen, {{"ToggleActivation", {}}});
  ExpectSameState(fourteen, Golden(14, in));
}

TEST_F(HookStubTest, ZoomInFollowsANonZeroAnswerOfTheDisplacedCall) {
  const CpuState in = Input();
  bridgeAnswers.zoomIn = 1;  // ignored here
  fakeCalleeResult = 0x12345600;
  EXPECT_TRUE(Hooked(15, in).calls.empty());
  fakeCalleeResult = 0x00000001;
  const Outcome zoomed = Hooked(15, in);
  ExpectCalls(zoomed, {{"ZoomIn", {}}});
  EXPECT_EQ(zoomed.calls[0].calleeCount, 1u);
  ExpectSameState(zoomed, Golden(15, in));
}

TEST_F(HookStubTest, EveryFrameUpdatesAfterLoadingTheGameObject) {
  const Outcome frame = Hooked(16, Input());
  ExpectCalls(frame, {{"Update", {}}});
  EXPECT_EQ(frame.cpu.ecx, 0x13572468u);
}

TEST_F(HookStubTest, ViewRefreshTakesTheBranchOnce) {
  bridgeAnswers.viewRefresh = 1;
  const CpuState unequal = Input(kFlagsClear);
  const Outcome taken = Hooked(17, unequal);
  EXPECT_TRUE(taken.calls.empty());
  EXPECT_EQ(taken.cpu.reached, 0x00B179D4u);

  const CpuState equal = Input(kFlagsSet);
  ASSERT_TRUE(equal.eflags & kZeroFlag);
  const Outcome refreshed = Hooked(17, equal);
  ExpectCalls(refreshed, {{"TakeViewRefreshRequest", {}}});
  ExpectSameState(refreshed, Skipped(refreshed, equal, 0x00B179D4u));
  EXPECT_EQ(refreshed.cpu.fpuDepth, 0u);

  bridgeAnswers.viewRefresh = 0;
  const Outcome loaded = Hooked(17, equal);
  EXPECT_EQ(loaded.cpu.reached, 0x00B17996u);
  EXPECT_EQ(loaded.cpu.fpuDepth, 1u);
}

TEST_F(HookStubTest, CameraStateWritesPassTheStateObject) {
  const CpuState in = Input();
  for (int row : {18, 19, 20, 21}) {
    ExpectCalls(Hooked(row, in), {{"ClearStateOffsets", {in.ecx}}});
  }
  for (int row : {22, 23}) {
    ExpectCalls(Hooked(row, in), {{"ClearStateOffsets", {in.esi}}});
  }
  EXPECT_EQ(Hooked(23, in).cpu.reached, kReturnPad);
}

TEST_F(HookStubTest, PickedPointAndLookInputAddresses) {
  const CpuState in = Input();
  ExpectCalls(Hooked(24, in), {{"SetFocusPick", {in.esp + 0x3C}}});
  EXPECT_TRUE(Hooked(25, in).calls.empty());
  const Outcome look = Hooked(26, in);
  ExpectCalls(look, {{"AddLookInput", {in.esi}}});
  EXPECT_EQ(look.cpu.eax, 0x2468ACE0u);
}

TEST_F(HookStubTest, KindFourEventsBranchOnlyWithoutTheHeadCamera) {
  const CpuState in = Input();
  Set8(in.ecx + 0x10, 4);
  const Outcome golden = Golden(27, in);
  ASSERT_EQ(golden.cpu.reached, 0x00772AFEu);

  const Outcome branched = Hooked(27, in);
  ExpectCalls(branched, {{"IsHeadCameraActive", {}}});
  ExpectSameState(branched, golden);

  bridgeAnswers.headCameraActive = 1;
  const Outcome held = Hooked(27, in);
  Outcome expected = golden;
  expected.cpu.reached = 0x00772A96u;
  ExpectSameState(held, expected);
}

TEST_F(HookStubTest, TrueAnswerAtTwentyEightBecomesTheHeadCameraTest) {
  const CpuState in = Input();
  fakeCalleeResult = 0x00000101;
  bridgeAnswers.headCameraActive = 1;
  const Outcome active = Hooked(28, in);
  ExpectCalls(active, {{"IsHeadCameraActive", {}}});
  Outcome expected = Golden(28, in);
  expected.cpu.eax = 0;
  ExpectSameState(active, expected);

  bridgeAnswers.headCameraActive = 0;
  expected.cpu.eax = 1;
  ExpectSameState(Hooked(28, in), expected);

  fakeCalleeResult = 0x00000100;  // AL = 0
  const Outcome falseAnswer = Hooked(28, in);
  EXPECT_TRUE(falseAnswer.calls.empty());
  EXPECT_EQ(falseAnswer.cpu.eax, 0x00000100u);
}

TEST_F(HookStubTest, PitchLimitsOnlyInsideTheClampingFunction) {
  const CpuState in = Input();
  EXPECT_TRUE(Hooked(29, in).calls.empty());

  Hooked(30, in);
  EXPECT_EQ(insidePitchClampCaller, 1);
  const Outcome inside = Hooked(29, in);
  ExpectCalls(inside, {{"SetPitchLimits", {in.esi, in.esp + 8, in.esp + 4}}});
  ExpectSameState(inside, Golden(29, in));

  Hooked(31, in);
  EXPECT_EQ(insidePitchClampCaller, 0);
  EXPECT_TRUE(Hooked(29, in).calls.empty());
}

}  // namespace
