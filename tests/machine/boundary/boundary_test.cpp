// The real bridges and exports at the boundary to the game's frames: an exception thrown
// below them on purpose (allocations that fail) must not unwind into the stubs or the loader.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "fake_game.h"
#include "hook_rows.h"
#include "plugin/hooks/hooks.h"
#include "plugin/plugin.h"
#include "plugin/startup.h"
#include "site_runner.h"

extern "C" bool VantrelLoad(const LoaderInterface* loader);

namespace {
int allocationsBeforeFailure = -1;  // -1: none fails
}  // namespace

void* operator new(std::size_t size) {
  if (allocationsBeforeFailure == 0) throw std::bad_alloc();
  if (allocationsBeforeFailure > 0) --allocationsBeforeFailure;
  if (void* memory = std::malloc(size != 0 ? size : 1)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace {

alignas(16) uint8_t stackMemory[4096];

bool SiteIsOriginal(const HookSite& row) {
  const std::span<const uint8_t> listing = OriginalListing(row.number);
  return std::memcmp(reinterpret_cast<void*>(row.site), listing.data(), listing.size()) == 0;
}

class BoundaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MapFakeImage());
    BuildFakeImage();
    Plugin::Instance().Reset();
  }
  void TearDown() override {
    allocationsBeforeFailure = -1;
    Plugin::Instance().Reset();
  }
};

TEST_F(BoundaryTest, AFailureInsideABridgeLeavesTheGameRunningOn) {
  ASSERT_EQ(InstallHook(Row(24)), HookResult::Installed);
  CpuState in{};
  in.esp = reinterpret_cast<uint32_t>(stackMemory) + 2048;
  in.eax = 0x11111111;
  in.esi = 0x22222222;
  in.eflags = 0x202;
  for (const bool failing : {true, false}) {
    Plugin::Instance().controller.focusPoint.reset();
    CpuState out{};
    allocationsBeforeFailure = failing ? 0 : -1;  // the picked point cannot be stored
    RunSite(Row(24).site, &in, &out);
    allocationsBeforeFailure = -1;
    EXPECT_EQ(out.reached, 0x0073DF60u);
    EXPECT_EQ(out.esp, in.esp);
    EXPECT_EQ(out.eax, in.eax);
    EXPECT_EQ(out.esi, in.esi);
    EXPECT_EQ(Plugin::Instance().controller.focusPoint == nullptr, failing);
  }
}

// Load fails at each of its allocations in turn: it answers false with no registry and no hook
// left, or, once start-up is through, true with every group of hooks whole.
TEST_F(BoundaryTest, LoadThatRunsOutOfMemoryLeavesNothingHalfDone) {
  const LoaderInterface loader{1, kAcceptedRuntimeVersion, 0, 0};
  bool loaded = false;
  int failure = 0;
  for (; !loaded && failure < 20000; ++failure) {
    BuildFakeImage();
    Plugin::Instance().Reset();
    allocationsBeforeFailure = failure;
    loaded = VantrelLoad(&loader);
    const bool exhausted = allocationsBeforeFailure != 0;
    allocationsBeforeFailure = -1;
    if (!loaded) {
      EXPECT_EQ(Plugin::Instance().currentRegistry, nullptr) << failure;
      for (const HookSite& row : HookTable()) EXPECT_TRUE(SiteIsOriginal(row)) << failure;
    } else {
      ASSERT_NE(Plugin::Instance().currentRegistry, nullptr);
      const bool clamp = SiteIsOriginal(Row(29));
      EXPECT_EQ(SiteIsOriginal(Row(30)), clamp) << failure;
      EXPECT_EQ(SiteIsOriginal(Row(31)), clamp) << failure;
      // Keep going while the failure still falls inside the installation.
      loaded = exhausted;
    }
  }
  EXPECT_TRUE(loaded) << "Load never got through";
  EXPECT_GT(failure, 10);
}

TEST_F(BoundaryTest, AReloadThatRunsOutOfMemoryKeepsTheRegistryItHad) {
  Plugin& plugin = Plugin::Instance();
  plugin.InitializeOrReload();
  const Session* const loaded = plugin.currentRegistry.get();
  ASSERT_NE(loaded, nullptr);
  for (int failure = 0; failure < 50; ++failure) {
    allocationsBeforeFailure = failure;
    EXPECT_THROW(plugin.InitializeOrReload(), std::bad_alloc) << failure;
    allocationsBeforeFailure = -1;
    EXPECT_EQ(plugin.currentRegistry.get(), loaded) << failure;
    EXPECT_FALSE(plugin.currentRegistry->loading);
  }
}

}  // namespace
