// The real bridges and exports at the boundary to the game's frames: an exception thrown
// below them on purpose (allocations that fail) must not unwind into the stubs or the loader.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "config/loader.h"
#include "fake_game.h"
#include "hook_rows.h"
#include "plugin/hooks/hooks.h"
#include "plugin/plugin.h"
#include "plugin/startup.h"
#include "profiles/driver.h"
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

// The game thread's stack while a site runs: a frame with a reload needs room.
GameStack gameStack;

bool SiteIsOriginal(const HookSite& row) {
  const std::span<const uint8_t> listing = OriginalListing(row.number);
  return std::memcmp(reinterpret_cast<void*>(row.site), listing.data(), listing.size()) == 0;
}

// The live session, compared by address only.
const Session* LiveSession() {
  return Plugin::Instance().WithSession([](Session& session) { return &session; });
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

// The frame's bridge reloads the configuration when asked: a reload that cannot build its
// session throws inside the frame, and the game goes on at the site's end with its registers.
TEST_F(BoundaryTest, AFailureInsideABridgeLeavesTheGameRunningOn) {
  Plugin& plugin = Plugin::Instance();
  plugin.InitializeOrReload();
  ASSERT_EQ(InstallHook(Row(16)), HookResult::Installed);
  Poke<uint32_t>(0x012E35C8, 0x13572468);  // what the displaced code loads into ECX
  CpuState in{};
  in.esp = gameStack.Top() - 64;
  in.eax = 0x11111111;
  in.esi = 0x22222222;
  in.eflags = 0x202;
  for (const bool failing : {true, false}) {
    const Session* const before = LiveSession();
    plugin.WithSession([](Session& session) { session.reloadRequested = true; });
    CpuState out{};
    allocationsBeforeFailure = failing ? 0 : -1;  // the new session cannot be allocated
    RunSite(Row(16).site, &in, &out);
    allocationsBeforeFailure = -1;
    EXPECT_EQ(out.reached, 0x0069CC3Fu);
    EXPECT_EQ(out.esp, in.esp);
    EXPECT_EQ(out.eax, in.eax);
    EXPECT_EQ(out.esi, in.esi);
    EXPECT_EQ(out.ecx, 0x13572468u);
    EXPECT_EQ(LiveSession() == before, failing);
  }
}

// Load fails at each of its allocations in turn: it answers false with no session and no hook
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
      EXPECT_EQ(LiveSession(), nullptr) << failure;
      for (const HookSite& row : HookTable()) EXPECT_TRUE(SiteIsOriginal(row)) << failure;
    } else {
      ASSERT_NE(LiveSession(), nullptr);
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

TEST_F(BoundaryTest, AReloadThatRunsOutOfMemoryKeepsTheSessionItHad) {
  Plugin& plugin = Plugin::Instance();
  plugin.InitializeOrReload();
  const Session* const loaded = LiveSession();
  ASSERT_NE(loaded, nullptr);
  for (int failure = 0; failure < 50; ++failure) {
    allocationsBeforeFailure = failure;
    EXPECT_THROW(plugin.InitializeOrReload(), std::bad_alloc) << failure;
    allocationsBeforeFailure = -1;
    EXPECT_EQ(LiveSession(), loaded) << failure;
    EXPECT_FALSE(plugin.WithSession([](Session& session) { return session.loading; }));
  }
}

// A switch cut short by an allocation that fails, in its console line or in a command of the
// new profile, leaves the next switch and the next commands working.
TEST_F(BoundaryTest, ASwitchThatRunsOutOfMemoryLeavesLaterSwitchesWorking) {
  for (const char* configuration : {"!Set iDebug 1\n[First]\n[Second]\n",
                                    "[First]\nSet fFOV 90\n[Second]\n"}) {
    SCOPED_TRACE(configuration);
    std::unique_ptr<Session> session = Plugin::Instance().NewSession();
    LoadConfigurationText(*session, configuration);
    Profile* first = FindProfile(*session, "First");
    Profile* second = FindProfile(*session, "Second");
    allocationsBeforeFailure = 0;
    EXPECT_THROW(SwitchProfile(*session, kOutsideFrame, first, 0), std::bad_alloc);
    allocationsBeforeFailure = -1;
    EXPECT_EQ(session->commandNesting, 0);
    SwitchProfile(*session, kOutsideFrame, second, 0);
    EXPECT_EQ(session->currentProfile, second);
  }
}

}  // namespace
