// libFuzzer target: the scenario language of `vantrel simulate`. The input is a configuration
// and a scenario, split at the first line "===". Scenarios that ask for more frames than a
// fuzz run can afford are left out; everything else must run without a sanitizer report.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "plugin/plugin.h"
#include "commands.h"
#include "scenario.h"
#include "world_edits.h"

namespace {

constexpr double kFrameBudget = 400;
constexpr std::string_view kSplit = "\n===\n";

std::string TempPath(const char* what) {
  return (std::filesystem::temp_directory_path() /
          ("vantrel_fuzz_" + std::to_string(::getpid()) + what))
      .string();
}

void Write(const std::string& path, std::string_view text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
}

// The frames the scenario's "frames" and "wait" lines ask for, as the player counts them.
double FramesAskedFor(const std::string& scenario) {
  double frames = 0;
  float frameSeconds = 1.0f / 60;
  for (const ScenarioLine& line : ParseScenario(scenario)) {
    const auto& w = line.words;
    if (w.size() != 2) continue;
    float seconds = 0;
    int32_t count = 0;
    if (w[0] == "frame" && ReadFloat(w[1], seconds) && seconds > 0) frameSeconds = seconds;
    if (w[0] == "frames" && ReadInt(w[1], count) && count > 0) frames += count;
    if (w[0] == "wait" && ReadFloat(w[1], seconds) && seconds > 0) {
      frames += static_cast<double>(seconds) / frameSeconds + 1;
    }
  }
  return frames;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find(kSplit);
  const std::string_view config = split == std::string_view::npos ? "" : input.substr(0, split);
  const std::string scenario(
      split == std::string_view::npos ? input : input.substr(split + kSplit.size()));
  if (FramesAskedFor(scenario) > kFrameBudget) return -1;  // not worth keeping in the corpus

  static const std::string configPath = TempPath(".txt");
  static const std::string scenarioPath = TempPath(".scenario");
  Write(configPath, config);
  Write(scenarioPath, scenario);
  Plugin::Instance().controller.Reset();
  RunSimulate(SimulateOptions{configPath, scenarioPath, {"fFOV", "position"}, ""});
  return 0;
}
