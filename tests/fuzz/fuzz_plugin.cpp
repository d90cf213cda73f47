// libFuzzer target: the input is a configuration file. It is loaded the way the game loads it,
// then played for a few dozen frames of a changing world with every hook operation called
// between frames, reloaded the way the Reload command asks for it, and played a few frames
// more. A counted host fault, a number that is not finite in the game, or an engine string or
// reference left after teardown aborts the run.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

#include "game_drive.h"
#include "sim_world.h"

namespace {

constexpr int kFramesBeforeReload = 40;
constexpr int kFramesAfterReload = 8;

// A seed from the input, so each configuration meets its own, repeatable, sequence of worlds.
uint32_t SeedOf(std::string_view bytes) {
  uint32_t hash = 2166136261u;
  for (const char c : bytes) hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
  return hash;
}

void Fail(const std::string& what) {
  std::fprintf(stderr, "fuzz_plugin: %s\n", what.c_str());
  std::abort();
}

void CheckGame(const char* when) {
  if (const std::string faults = ContractFaults(); !faults.empty()) Fail(when + (": " + faults));
  if (const std::string found = NonFiniteInGame(); !found.empty()) Fail(when + (": " + found));
}

void Play(std::mt19937& random, const DriveCast& cast, HostCameraState* hookState, int frames) {
  for (int i = 0; i < frames; ++i) {
    ChangeWorld(random, cast);
    const float look = (random() % 4 == 0) ? static_cast<float>(random() % 200) - 100 : 0;
    PlayFrame(look, -look / 2);
    if (!CallHookOperations(random, cast, hookState)) Fail("a hook handed the game a non-finite number");
    CheckGame("after a frame");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view config(reinterpret_cast<const char*>(data), size);
  std::mt19937 random(SeedOf(config));
  StartPluginWithText(config);
  const DriveCast cast = CastTheWorld();
  HostCameraState hookState;
  hookState.id = 9;

  Play(random, cast, &hookState, kFramesBeforeReload);
  RequestReload();
  Play(random, cast, &hookState, kFramesAfterReload);

  StopPlugin();
  CheckGame("after teardown");
  if (LiveEngineStrings() != 0 || LiveReferences() != 0) {
    Fail("left after teardown: " + std::to_string(LiveEngineStrings()) + " engine strings, " +
         std::to_string(LiveReferences()) + " references");
  }
  return 0;
}
