// The DLL tier of the shared site cases: each case run through the relocated DLL's patch.

#include "dll_tier.h"

#include <cstdio>
#include <cstring>

#include "fake_game.h"
#include "fake_host.h"
#include "host/game/addresses.h"

namespace {

constexpr float kDegreesToRadians = 0.017453f;

std::vector<uint8_t> SiteBytes(int row) {
  const auto* site = reinterpret_cast<const uint8_t*>(OriginalSite(row));
  return {site, site + OriginalListing(row).size()};
}

bool SameBytes(const SiteRun& run, uint32_t address, const void* bytes, size_t size,
               uint32_t memoryStart) {
  return std::memcmp(run.memory.data() + (address - memoryStart), bytes, size) == 0;
}

}  // namespace

DllTier::DllTier(PluginWorld& world, SiteBench& bench) : world_(world), bench_(bench) {
  // With no offsets set, the head camera sits at the eye node and turns as the head node.
  std::memcpy(effects_.position, fakeHost.eye.translation, sizeof effects_.position);
  std::memcpy(effects_.rotation, fakeHost.head.rotation, sizeof effects_.rotation);
  effects_.yaw = 90 * kDegreesToRadians;
  effects_.pitch = 80 * kDegreesToRadians;
  effects_.pitchMinimum = -80 * kDegreesToRadians;
  effects_.pitchMaximum = 80 * kDegreesToRadians;
  effects_.turn = PluginWorld::kQueuedTurn;
}

void DllTier::KeepPatches() {
  for (int row = 1; row <= kHookCount; ++row) patches_[row] = SiteBytes(row);
}

void DllTier::PutOriginalCode(int row) { RestoreOriginalCode(row); }

void DllTier::PutPatch(int row) {
  std::memcpy(reinterpret_cast<void*>(OriginalSite(row)), patches_[row].data(),
              patches_[row].size());
}

void DllTier::TakeWaitingViewRefresh() {
  PutPatch(HookViewRefresh::number);
  for (int i = 0; i < 3; ++i) {
    if (bench_.Run(OriginalSite(HookViewRefresh::number), bench_.Input(kFlagsSet), {})
            .cpu.reached == HookViewRefresh::end) {
      return;
    }
  }
}

void DllTier::Arrange(const SiteCase& siteCase) {
  arranged_ = world_.Establish(siteCase.world);
  if (!siteCase.world.refreshPending) TakeWaitingViewRefresh();
  consoleMark_ = world_.ConsoleLines();
  weaponRefreshMark_ = fakeHost.weaponRefreshes.size();
}

bool DllTier::ShowsHeadCamera() {
  PutPatch(HookOverrideViewOfFrame::number);
  const CpuState in = bench_.Input(kFlagsClear);
  const SiteRun run = bench_.Run(OriginalSite(HookOverrideViewOfFrame::number), in, {});
  const uint32_t start = bench_.MemoryStart();
  return SameBytes(run, in.ebp + 0x20, effects_.position, sizeof effects_.position, start) &&
         SameBytes(run, in.ebp + 0xBC, effects_.rotation, sizeof effects_.rotation, start);
}

void DllTier::CheckMore(const SiteCase& siteCase, const CaseExpectation&,
                        std::vector<std::string>& differences) {
  if (!arranged_) differences.push_back("the configuration for the case did not load");
  if (siteCase.world.refreshPending && CameraFieldOfView() != PluginWorld::kFieldOfView) {
    differences.push_back("the game camera does not have the configured field of view");
  }
  const bool on = siteCase.afterwards == Afterwards::CameraOn;
  const char* profile = siteCase.afterwards == Afterwards::MountWindow ? "Mounting" : "Dismounting";
  switch (siteCase.afterwards) {
    case Afterwards::Nothing:
      break;
    case Afterwards::CameraOn:
    case Afterwards::CameraOff:
      if (!world_.Frame()) differences.push_back("the next frame did not come back");
      if (ShowsHeadCamera() != on) {
        differences.push_back(on ? "the plug-in did not switch on" : "the plug-in stayed on");
      }
      // The game's camera hears about the weapon (sheathed) when the view changes hands, and
      // only then.
      if (const size_t refreshes = fakeHost.weaponRefreshes.size() - weaponRefreshMark_;
          refreshes != (on != siteCase.world.activated ? 1u : 0u)) {
        differences.push_back(std::to_string(refreshes) + " camera weapon refreshes");
      } else if (refreshes == 1 && fakeHost.weaponRefreshes.back() != 0) {
        differences.push_back("the camera weapon refresh says the weapon is out");
      }
      break;
    case Afterwards::MountWindow:
    case Afterwards::DismountWindow: {
      const std::string line =
          std::string("Vantrel(DEBUG): Changed profile from __Default to ") + profile + ".";
      for (int frame = 0; frame < 4 && !world_.PrintedSince(consoleMark_, line); ++frame) {
        world_.Frame();
      }
      if (!world_.PrintedSince(consoleMark_, line)) {
        differences.push_back(std::string("no ") + profile + " profile after the site");
      }
      break;
    }
  }
}

int RunSiteLines(DllTier& tier, SiteBench& bench) {
  int failed = 0;
  for (int row = 1; row <= kHookCount; ++row) {
    const std::vector<std::string> failures = CheckSite(tier, bench, row);
    if (failures.empty()) {
      std::printf("site %02d: ok\n", row);
    } else {
      ++failed;
      std::printf("site %02d: FAILED %s", row, failures.front().c_str());
      if (failures.size() > 1) std::printf(" (and %zu more)", failures.size() - 1);
      std::printf("\n");
      for (const std::string& failure : failures) std::printf("    %s\n", failure.c_str());
    }
    std::fflush(stdout);
  }
  return failed;
}
