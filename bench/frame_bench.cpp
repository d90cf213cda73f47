// The per-frame update on the simulated game with a realistic configuration (20 profiles,
// 60 conditions): a frame without a profile update pass, a frame with one, and the heap
// allocations each makes.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <unistd.h>

#include "config/loader.h"
#include "plugin/plugin.h"
#include "sim_world.h"

namespace {
std::atomic<int64_t> allocations{0};
}

// Counting replacements of the global allocation functions. GCC cannot see that these two
// belong together and warns about free() on memory from operator new.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// 20 profiles with 60 conditions in all, of the kinds real configurations use.
std::string RealisticConfiguration(float updateInterval) {
  std::string text = "!Set bEnabled true\n!Set bActivated true\n!Set fUpdateProfileInterval " +
                     std::to_string(updateInterval) +
                     "\n!Set fPositionOffsetDepth 8\n!Set bHeadtrack true\n!BindKey 90 0 Zoom 3\n"
                     "ResetTween fFOV 0.5\n";
  const char* states[] = {"bWeaponOut", "bSneaking", "bMounted", "bSwimming", "bSprinting",
                          "bRunning",   "bWalking",  "bJumping", "bSitting",  "bDead"};
  for (int i = 0; i < 19; ++i) {
    const bool parallel = i % 4 == 3;
    text += std::string(parallel ? "{" : "[") + "Profile " + std::to_string(i) +
            (parallel ? "}\n" : "]\n");
    text += std::string("(") + states[i % 10] + ")\n";
    text += "(iCameraState != " + std::to_string(i) + ")\n";
    text += i % 3 == 0 ? "(sRace ~ Argonian)\n" : i % 3 == 1 ? "(fFOV < 100)\n" : "(bAimBow == false)\n";
    text += "SetTween fFOV " + std::to_string(60 + i) + " 0.5\n-ReturnTween fFOV 0.5\n";
  }
  text += "[Zoom]\n(bFocus != true)\n(iDebug == 0)\n(bDialogue == false)\nSetTween fFOV 40 0.3\n";
  return text;
}

void StartWith(const std::string& configuration) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("vantrel_frame_bench_" + std::to_string(::getpid()) + ".txt"))
                               .string();
  std::ofstream(path) << configuration;
  Sim().Reset();
  Sim().player->stateFlags |= 0x40;  // walking: one exclusive profile holds
  Plugin::Instance().Reset();
  SetConfigurationPath(path);
  Plugin::Instance().InitializeOrReload();
  std::filesystem::remove(path);
  // Settle: names resolved, bindings applied, the first passes done.
  for (int i = 0; i < 10; ++i) Plugin::Instance().RunFrame();
}

void RunFrames(benchmark::State& state) {
  Plugin& plugin = Plugin::Instance();
  const int64_t before = allocations.load();
  for (auto _ : state) plugin.RunFrame();
  state.counters["allocs/frame"] =
      static_cast<double>(allocations.load() - before) / static_cast<double>(state.iterations());
}

void BM_FrameWithoutPass(benchmark::State& state) {
  StartWith(RealisticConfiguration(1.0e6f));
  RunFrames(state);
}

void BM_FrameWithPass(benchmark::State& state) {
  StartWith(RealisticConfiguration(0.1f));
  Sim().frameTimeA = Sim().frameTimeB = 0.1f;  // every frame reaches the interval
  RunFrames(state);
}

}  // namespace

BENCHMARK(BM_FrameWithoutPass);
BENCHMARK(BM_FrameWithPass);
BENCHMARK_MAIN();
