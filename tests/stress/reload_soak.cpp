// The reload soak: reloads the configuration through its own Reload command, with frames of a
// changing world in between, and fails when the simulated game's engine strings or reference
// counts are not back to their start after a reload, when it counted a fault, or when heap in
// use after a reload grows: the mean over any later window of 100 reloads may not exceed the
// mean over reloads 100 to 199 by more than the world's own jitter.
//
//   reload_soak [RELOADS] [CONFIG]   (defaults: 2000, the soak.txt beside this file)
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <optional>
#include <random>
#include <string>

#include "game_drive.h"
#include "sim_world.h"

// --- Heap in use: every C++ allocation of the process, counted by its usable size ---

namespace {
std::atomic<int64_t> liveHeapBytes{0};

void* CountedAllocate(size_t size) {
  void* block = std::malloc(size != 0 ? size : 1);
  if (block == nullptr) throw std::bad_alloc();
  liveHeapBytes += static_cast<int64_t>(malloc_usable_size(block));
  return block;
}

void CountedFree(void* block) {
  if (block == nullptr) return;
  liveHeapBytes -= static_cast<int64_t>(malloc_usable_size(block));
  std::free(block);
}
}  // namespace

void* operator new(size_t size) { return CountedAllocate(size); }
void* operator new[](size_t size) { return CountedAllocate(size); }
void operator delete(void* block) noexcept { CountedFree(block); }
void operator delete[](void* block) noexcept { CountedFree(block); }
void operator delete(void* block, size_t) noexcept { CountedFree(block); }
void operator delete[](void* block, size_t) noexcept { CountedFree(block); }

namespace {

constexpr int kBaselineFrom = 100;
constexpr int kWindow = 100;
// What the world's random state moves a window's mean by; a leak of one byte per reload
// passes it within the 2,000 reloads of `make test`.
constexpr int64_t kHeapSlack = 1024;

// The simulated game's call logs are read by whoever drives it; here nobody needs them.
void TakeLogs(const DriveCast& cast) {
  Sim().console->lines.clear();
  Sim().playerCamera->weaponRefreshes.clear();
  Sim().playerCamera->personCalls.clear();
  for (HostActor* actor : {Sim().player, cast.other, cast.creature}) actor->animEvents.clear();
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<LongRun> run =
      StartLongRun("reload_soak", argc, argv, 2000, VANTREL_SOAK_CONFIG);
  if (!run) return 1;
  const int reloads = run->count;
  const DriveCast& cast = run->cast;
  std::mt19937 random(1);
  const int64_t startStrings = LiveEngineStrings();
  const int64_t startReferences = LiveReferences();
  int64_t windowSum = 0, baselineMean = -1, highestMean = -1;
  int done = 0;
  long frames = 0;
  while (done < reloads) {
    const bool reloadsNow = ReloadPending();
    ChangeWorld(random, cast);
    // Mostly sneaking, which reloads; every fourth frame runs without a reload.
    for (HostActor* actor : {Sim().player, cast.other, cast.creature}) {
      actor->isSneaking = frames % 4 != 3;
    }
    PlayFrame(static_cast<float>(random() % 7) - 3, 0);
    TakeLogs(cast);
    ++frames;
    if (const std::string faults = ContractFaults(); !faults.empty()) return run->Fail(faults);
    if (const std::string found = NonFiniteInGame(); !found.empty()) return run->Fail(found);
    if (!reloadsNow) continue;
    ++done;
    if (LiveEngineStrings() != startStrings || LiveReferences() != startReferences) {
      return run->Fail("after reload " + std::to_string(done) + ": " +
                       std::to_string(LiveEngineStrings()) + " engine strings and " +
                       std::to_string(LiveReferences()) + " references live, " +
                       std::to_string(startStrings) + " and " + std::to_string(startReferences) +
                       " at the start");
    }
    // Averages over windows of reloads: the world's random state moves single figures.
    if (done < kBaselineFrom) continue;
    windowSum += liveHeapBytes;
    if ((done - kBaselineFrom + 1) % kWindow != 0) continue;
    const int64_t mean = windowSum / kWindow;
    windowSum = 0;
    if (baselineMean < 0) baselineMean = mean;
    highestMean = std::max(highestMean, mean);
  }
  StopPlugin();
  std::printf("reload_soak: %d reloads in %ld frames; heap in use, mean over reloads %d-%d: "
              "%lld bytes, highest mean of %d reloads after: %lld bytes; engine strings %lld, "
              "references %lld at the end\n",
              done, frames, kBaselineFrom, kBaselineFrom + kWindow - 1,
              static_cast<long long>(baselineMean), kWindow, static_cast<long long>(highestMean),
              static_cast<long long>(LiveEngineStrings()), static_cast<long long>(LiveReferences()));
  if (LiveEngineStrings() != 0 || LiveReferences() != 0) return run->Fail("left after teardown");
  if (highestMean > baselineMean + kHeapSlack) return run->Fail("heap in use grows");
  return 0;
}
