// Loading a large configuration (2,000 profiles, about 1 MB) with LF and with CR LF line ends,
// next to what a plain program does with the same file: read each line and trim it.
#include <benchmark/benchmark.h>

#include <string>

#include "plugin/plugin.h"
#include "support/bench_world.h"

namespace {

constexpr int kProfiles = 2000;

const std::string& Configuration(LineEnd lineEnd) {
  static const std::string lf = GeneratedConfiguration(kProfiles, LineEnd::Lf);
  static const std::string crlf = GeneratedConfiguration(kProfiles, LineEnd::CrLf);
  return lineEnd == LineEnd::Lf ? lf : crlf;
}

void BM_PlainReadAndTrim(benchmark::State& state, LineEnd lineEnd) {
  const std::string& text = Configuration(lineEnd);
  for (auto _ : state) benchmark::DoNotOptimize(PlainReadAndTrim(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_LoadConfiguration(benchmark::State& state, LineEnd lineEnd) {
  const std::string& text = Configuration(lineEnd);
  for (auto _ : state) {
    auto session = Plugin::Instance().NewSession();
    LoadInto(*session, text);
    benchmark::DoNotOptimize(session->profiles.size());
    // Destroying the session is not part of loading.
    state.PauseTiming();
    session.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

}  // namespace

BENCHMARK_CAPTURE(BM_PlainReadAndTrim, lf, LineEnd::Lf)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainReadAndTrim, crlf, LineEnd::CrLf)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadConfiguration, lf, LineEnd::Lf)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadConfiguration, crlf, LineEnd::CrLf)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
