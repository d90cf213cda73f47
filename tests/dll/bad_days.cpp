// Every site driven again on the game's bad days: no player, no camera, no 3D, a null actor, ...

#include "bad_days.h"

#include <cstdio>

#include "failing_allocations.h"
#include "fake_game.h"
#include "fake_host.h"
#include "host/game/addresses.h"
#include "plugin/hooks/hooks.h"

struct BadDay {
  const char* what;
  bool (*spoil)(CpuState& in, PluginWorld& world);  // after the case's setup, before the run
  void (*mend)();
  bool actorOnly = false;          // where the game's code hands an actor it does not read
  bool refusesAllocation = false;  // inside the operation the stub calls
  bool keepsWorld = false;         // runs on the configuration as it is
};

namespace {

constexpr int kFrameRow = HookFrameUpdate::number;

uint32_t W(const void* pointer) { return reinterpret_cast<uint32_t>(pointer); }

bool Set(uint32_t address, uint32_t value) {
  Poke<uint32_t>(address, value);
  return true;
}

bool NoPlayer(CpuState&, PluginWorld&) { return Set(GameGlobal::HostPlayer, 0); }
void PlayerBack() { Poke<uint32_t>(GameGlobal::HostPlayer, W(fakeHost.player)); }
bool NoCamera(CpuState&, PluginWorld&) { return Set(GameGlobal::HostPlayerCamera, 0); }
void CameraBack() { Poke<uint32_t>(GameGlobal::HostPlayerCamera, W(fakeHost.camera)); }
bool NoCameraState(CpuState&, PluginWorld&) { return Set(W(fakeHost.camera) + 0x20, 0); }
void CameraStateBack() { Poke<uint32_t>(W(fakeHost.camera) + 0x20, W(fakeHost.cameraState)); }
bool No3D(CpuState&, PluginWorld&) { return Set(W(fakeHost.player) + 0x44, 0); }
void LoadedBack() { Poke<uint32_t>(W(fakeHost.player) + 0x44, W(fakeHost.loaded3D)); }
bool NullActor(CpuState& in, PluginWorld&) {
  in.esi = 0;
  return true;
}
bool Reloaded(CpuState&, PluginWorld& world) { return world.ReloadSame(); }
bool Nothing(CpuState&, PluginWorld&) { return true; }
void NothingToMend() {}

const BadDay kWithConfiguration[] = {
    {"no player", NoPlayer, PlayerBack},
    {"no player camera", NoCamera, CameraBack},
    {"no camera state", NoCameraState, CameraStateBack},
    {"a target without 3D data", No3D, LoadedBack},
    {"a null actor", NullActor, NothingToMend, true},
    {"a configuration reloaded between two hooks", Reloaded, NothingToMend},
    {"an allocation that fails", Nothing, NothingToMend, false, true},
};
const BadDay kWithoutConfiguration{
    "no configuration file", Nothing, NothingToMend, false, false, true};

// Where the game's code takes an actor in ESI without reading it.
bool TakesUnreadActor(int row) {
  return row == HookSkipHeadTrackingEarly::number || row == HookDismountStart::number ||
         row == HookMountStart::number || row == HookPitchLimits::number;
}

// The case a bad day starts from: the row's last case in which the plug-in acts.
const SiteCase& BaseCase(int row) {
  const std::vector<const SiteCase*> cases = SiteCasesOf(row);
  for (auto it = cases.rbegin(); it != cases.rend(); ++it) {
    if ((*it)->answer != 0) return **it;
  }
  return *cases.front();
}

// What differs from the allowed outcome that is closest to the run; nothing when one matches.
std::vector<std::string> ClosestDifferences(const SiteRun& run,
                                            const std::vector<SiteRun>& allowed) {
  std::vector<std::string> closest;
  for (const SiteRun& outcome : allowed) {
    std::vector<std::string> differences = CompareMachineState(run, outcome);
    if (differences.empty()) return differences;
    if (closest.empty() || differences.size() < closest.size()) closest = differences;
  }
  return closest;
}

}  // namespace

void BadDays::Run(int row, const BadDay& day) {
  std::vector<std::string>& failures = failures_[row];
  auto fail = [&](const std::string& what) {
    failures.push_back(std::string(day.what) + ": " + what);
  };
  const SiteCase& base = BaseCase(row);
  if (!day.keepsWorld) tier_.Arrange(base);

  CpuState in = bench_.Input(kFlagsClear);
  std::vector<MemoryEdit> edits;
  fakeCalleeResult = 0;
  CaseSetup setup{in, bench_.Spare(), edits};
  base.setup(setup);
  const CpuState bracketIn = bench_.Input(kFlagsClear);
  if (base.insideClamp) {
    tier_.PutPatch(HookPitchClampEnter::number);
    bench_.Run(OriginalSite(HookPitchClampEnter::number), bracketIn, {});
  }
  if (!day.spoil(in, world_)) fail("could not be made");
  const size_t mark = world_.ConsoleLines();
  if (!world_.Frame()) fail("a frame did not come back");
  const std::vector<SiteRun> allowed = AllowedOutcomes(tier_, bench_, row, in, edits);
  tier_.PutPatch(row);  // the outcomes ran the game's own code there

  // The frame's allocation fails as it builds a configuration: frames run until one has.
  const bool reloading = day.refusesAllocation && row == kFrameRow;
  if (reloading) world_.RequestReload();
  if (day.refusesAllocation) RefuseNextAllocation();
  std::vector<SiteRun> runs;
  for (int i = 0; i < (reloading ? 4 : 1) && Refused() == 0; ++i) {
    runs.push_back(bench_.Run(OriginalSite(row), in, edits));
  }
  RefuseNone();
  if (base.insideClamp) {
    tier_.PutPatch(HookPitchClampExit::number);
    bench_.Run(OriginalSite(HookPitchClampExit::number), bracketIn, {});
  }
  day.mend();

  for (const SiteRun& run : runs) {
    for (const std::string& difference : ClosestDifferences(run, allowed)) fail(difference);
  }
  if (reloading && Refused() == 0) fail("no allocation failed");

  if (!world_.Frame()) fail("the next frame did not come back");
  const size_t lines = world_.ConsoleLines() - mark;
  if (lines > 1) fail(std::to_string(lines) + " console lines");
  // Switched on again (without a file it is on by default), the head camera shows.
  const bool on = day.keepsWorld || world_.Establish(CaseWorld{.activated = true});
  if (!on || !tier_.ShowsHeadCamera()) fail("the plug-in does not show the head camera again");
}

void BadDays::RunWithConfiguration() {
  for (int row = 1; row <= kHookCount; ++row) {
    for (const BadDay& day : kWithConfiguration) {
      if (!day.actorOnly || TakesUnreadActor(row)) Run(row, day);
    }
  }
}

void BadDays::RunWithoutConfiguration() {
  if (!world_.ReloadWithoutFile()) {
    for (int row = 1; row <= kHookCount; ++row)
      failures_[row].push_back("the missing file was not read");
    return;
  }
  for (int row = 1; row <= kHookCount; ++row) Run(row, kWithoutConfiguration);
}

int BadDays::Report() const {
  int failed = 0;
  for (int row = 1; row <= kHookCount; ++row) {
    if (failures_[row].empty()) {
      std::printf("site %02d on bad days: ok\n", row);
      continue;
    }
    ++failed;
    std::printf("site %02d on bad days: FAILED %s", row, failures_[row].front().c_str());
    if (failures_[row].size() > 1) std::printf(" (and %zu more)", failures_[row].size() - 1);
    std::printf("\n");
    for (const std::string& failure : failures_[row]) std::printf("    %s\n", failure.c_str());
  }
  return failed;
}
