// The per-frame update on the simulated game: a frame without a profile pass and a frame with
// one, on configurations where every condition is evaluated, in a world with a deep skeleton and
// names too long for a short-string buffer. Counters: heap allocations per frame and conditions
// evaluated per pass.
#include <benchmark/benchmark.h>

#include "plugin/plugin.h"
#include "sim_world.h"
#include "support/bench_world.h"
#include "support/counting_allocator.h"

namespace {

constexpr int kProfiles = 20;

void RunFrames(benchmark::State& state, int conditionsPerProfile, bool pass) {
  StartPlugin(AllHoldingConfiguration(kProfiles, conditionsPerProfile, pass ? 0.1f : 1.0e6f));
  if (pass) Sim().frameTimeA = Sim().frameTimeB = 0.1f;  // every frame reaches the interval
  Settle(pass ? 20 : 120);
  const int evaluated = EvaluatedConditionsPerPass(kProfiles, conditionsPerProfile);
  Plugin& plugin = Plugin::Instance();
  const int64_t before = AllocationCount();
  for (auto _ : state) plugin.RunFrame();
  const auto frames = static_cast<double>(state.iterations());
  state.counters["allocs/frame"] = static_cast<double>(AllocationCount() - before) / frames;
  state.counters["conditions/pass"] = pass ? evaluated : 0;
}

void BM_FrameWithoutPass(benchmark::State& state) { RunFrames(state, 8, false); }

// Argument: conditions per profile.
void BM_FrameWithPass(benchmark::State& state) {
  RunFrames(state, static_cast<int>(state.range(0)), true);
}

}  // namespace

BENCHMARK(BM_FrameWithoutPass);
BENCHMARK(BM_FrameWithPass)->Arg(8)->Arg(16);
BENCHMARK_MAIN();
