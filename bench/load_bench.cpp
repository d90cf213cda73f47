// Loading a large configuration, next to a plain pass that only reads and trims its lines.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "base/text.h"
#include "config/loader.h"

namespace {

// About 1 MB: 2,000 profiles with conditions and commands of every common form.
std::string GeneratedConfiguration() {
  std::string text =
      "; generated\n!Set bEnabled true\n!Set fUpdateProfileInterval 0.25\n"
      "ResetTween fFOV 0.5\n";
  for (int i = 0; i < 2000; ++i) {
    const std::string n = std::to_string(i);
    text += (i % 5 == 0 ? "{Parallel " : "[Profile ") + n + (i % 5 == 0 ? "}\n" : "]\n");
    text += "; profile " + n + " reacts to the character's state and the camera\n";
    text += "(bWeaponOut)\n(iCameraState == " + std::to_string(i % 12) + ")\n";
    text += "(fFOV <= " + std::to_string(60 + i % 40) + ".5)\n(sRace ~ Argonian" + n + ")\n";
    text += "(Keyword != ActorTypeNPC)\n(bSneaking != false)\n";
    text += "SetTween fFOV " + std::to_string(70 + i % 20) + " 0.75\n";
    text += "Set fPositionOffsetDepth " + std::to_string(i % 16) + ".25\n";
    text += "ModifyTween fRotationFromHead -0.1 0.5\n";
    text += "-ReturnTween fFOV 0.5\n-Return fPositionOffsetDepth\n";
    text += "BindKey2 0x" + std::to_string(70 + i % 20) + " 1 \"Profile " + n + "\" 0.5\n";
    text += "RotateX 15 0.5 1\nSetProfile \"Profile " + n + "\" 2\nInhibit Profile" + n + " 3\n";
    text += "SendAnimEvent IdleStop\n";
  }
  return text;
}

const std::string& Configuration() {
  static const std::string text = GeneratedConfiguration();
  return text;
}

void BM_PlainReadAndTrim(benchmark::State& state) {
  const std::string& text = Configuration();
  for (auto _ : state) {
    LineReader reader(text);
    std::string line;
    size_t kept = 0;
    while (reader.Next(line)) kept += Trim(line).size();
    benchmark::DoNotOptimize(kept);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_LoadConfiguration(benchmark::State& state) {
  const std::string& text = Configuration();
  for (auto _ : state) {
    auto session = std::make_unique<Session>();
    session->loading = true;
    LoadConfigurationText(*session, text);
    session->loading = false;
    benchmark::DoNotOptimize(session->profiles.size());
    // Destroying the session is not part of loading.
    state.PauseTiming();
    session.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

}  // namespace

BENCHMARK(BM_PlainReadAndTrim)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadConfiguration)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
