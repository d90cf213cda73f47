// The shared game drive: the plug-in started from text and played on the simulated world.

#include "game_drive.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "config/loader.h"
#include "plugin/plugin.h"
#include "plugin/startup.h"
#include "sim_world.h"
#include "values/appliers.h"

namespace {

// Facts a configuration is likely to name; the fuzz dictionary lists the same.
constexpr uint32_t kFactionIds[] = {0x800, 0x13, 0x1B000};
constexpr uint32_t kPerkIds[] = {0x12345, 0x58F75};
const char* const kKeywords[] = {"ActorTypeNPC", "ArmorHeavy", "MagicInvisibility", "Vampire"};
const char* const kRaces[] = {"HumanRace", "WerewolfBeastRace", "DLC1VampireBeastRace", "Dog"};
const char* const kMenus[] = {"BarterMenu", "Crafting Menu", "Dialogue Menu"};
constexpr int32_t kKeys[] = {0x5A, 0x70, 0x10, 0x11, 0x12, 0x41, 0x02};
constexpr int32_t kCameraStates[] = {-1, 0, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12};
constexpr uint8_t kWeaponKinds[] = {0, 1, 3, 5, 6, 7, 9};
constexpr float kFrameTimes[] = {0, 1.0f / 60, 1.0f / 30, 0.1f, 0.5f, 2};

std::string& ConfigPath() {
  static std::string path = (std::filesystem::temp_directory_path() /
                             ("vantrel_drive_" + std::to_string(::getpid()) + ".txt"))
                                .string();
  return path;
}

template <typename T, size_t N>
const T& Pick(std::mt19937& random, const T (&items)[N]) {
  return items[random() % N];
}

bool Chance(std::mt19937& random, unsigned inEvery) { return random() % inEvery == 0; }

float Angle(std::mt19937& random) {
  return static_cast<float>(static_cast<int>(random() % 721) - 360) * 0.01f;
}

template <typename T>
void Toggle(std::vector<T*>& list, T* item) {
  auto found = std::find(list.begin(), list.end(), item);
  if (found == list.end()) {
    list.push_back(item);
  } else {
    list.erase(found);
  }
}

void ChangeActor(std::mt19937& random, HostActor* actor) {
  switch (random() % 12) {
    case 0: actor->stateWord ^= 0x60; break;  // weapon drawn or sheathed
    case 1: actor->isSneaking ^= 1; break;
    case 2: actor->isMounted ^= 1; break;
    case 3: actor->race = Sim().Race(Pick(random, kRaces)); break;
    case 4: actor->stateFlags ^= Chance(random, 2) ? 0x40 : 0x400; break;  // walk, swim
    case 5: actor->isRunning ^= 1; actor->isSprinting = random() % 2; break;
    case 6: actor->isSitting ^= 1; actor->isJumping = random() % 2; break;
    case 7: actor->killMoveFlags ^= 0x4000; break;
    case 8:
      Toggle(actor->factions,
             dynamic_cast<HostConditionForm*>(Sim().LookupForm(Pick(random, kFactionIds))));
      break;
    case 9: Toggle(actor->perks, Sim().LookupForm(Pick(random, kPerkIds))); break;
    case 10: Toggle(actor->keywords, Sim().Keyword(Pick(random, kKeywords))); break;
    default:
      if (actor->worn) Toggle(actor->worn->keywords, Sim().Keyword(Pick(random, kKeywords)));
      break;
  }
}

HostForm* HandItem(std::mt19937& random) {
  const uint8_t kind = Pick(random, kWeaponKinds);
  if (kind == 0) return Chance(random, 2) ? nullptr : Sim().Spell();
  return Sim().Weapon(kind);
}

void ChangeSkeleton(std::mt19937& random, HostRef* ref) {
  HostNode* head = Sim().FindNode(ref, "NPC Head [Head]");
  HostNode* eye = Sim().FindNode(ref, "NPCEyeBone");
  if (!head || !eye) return;
  const float yaw = Angle(random);
  const float c = std::cos(yaw), s = std::sin(yaw);
  switch (random() % 6) {
    case 0: head->rotation = {c, -s, 0, s, c, 0, 0, 0, 1}; break;
    case 1: head->rotation = {1, 0, 0, 0, c, -s, 0, s, c}; break;
    case 2: head->rotation = {0, 0, 0, 0, 0, 0, 0, 0, 0}; break;  // collapsed
    case 3: eye->translation = {Angle(random) * 10, 6, 124 + Angle(random)}; break;
    case 4: eye->translation[0] = NAN; break;  // the game's own broken number
    default: eye->translation = {0, 6, 124}; head->rotation = {1, 0, 0, 0, 1, 0, 0, 0, 1}; break;
  }
}

}  // namespace

void StartPluginWithText(std::string_view configText) {
  Sim().Reset();
  Plugin& plugin = Plugin::Instance();
  plugin.Reset();
  plugin.controller.Reset();
  projectionRefreshPending = 0;
  std::ofstream(ConfigPath(), std::ios::binary | std::ios::trunc)
      .write(configText.data(), static_cast<std::streamsize>(configText.size()));
  SetConfigurationPath(ConfigPath());
  LoaderInterface loader{1, kAcceptedRuntimeVersion, 0, 0};
  PluginInfo info{};
  if (WOBKPlugin_Query(&loader, &info)) WOBKPlugin_Load(&loader);
}

void StopPlugin() { Plugin::Instance().Reset(); }

DriveCast CastTheWorld() {
  for (uint32_t id : kFactionIds) Sim().CreateFaction(id);
  for (uint32_t id : kPerkIds) Sim().CreatePerk(id);
  for (const char* name : kKeywords) Sim().Keyword(name);
  DriveCast cast;
  cast.other = Sim().CreateActor(0x0001A2B3);
  cast.creature = Sim().CreateCreature({"Canine_Head"}, 0x0001A2B4);
  cast.statue = Sim().CreateReference(0x0001A2B5);
  Sim().AddActiveEffect(Sim().player, Sim().CreateMagicEffect({Sim().Keyword(kKeywords[2])}));
  return cast;
}

void ChangeWorld(std::mt19937& random, const DriveCast& cast) {
  SimWorld& world = Sim();
  const float frameTime = Pick(random, kFrameTimes);
  world.frameTimeA = frameTime;
  world.frameTimeB = Chance(random, 8) ? Pick(random, kFrameTimes) : frameTime;
  const int changes = 1 + static_cast<int>(random() % 3);
  for (int i = 0; i < changes; ++i) {
    switch (random() % 12) {
      case 0:
      case 1:
        ChangeActor(random, world.player);
        break;
      case 2:
        ChangeActor(random, Chance(random, 2) ? cast.other : cast.creature);
        break;
      case 3: {
        const int32_t id = Pick(random, kCameraStates);
        if (id == -1) {
          world.playerCamera->currentState = nullptr;
        } else {
          HostCameraState* state = world.SetCameraState(id);
          state->yaw = Angle(random);
          state->pitch = Angle(random) * 0.4f;
        }
        break;
      }
      case 4:
        world.player->aiProcess->rightHand = HandItem(random);
        world.combatState->rightActive = random() % 2;
        world.combatState->handMode = static_cast<uint8_t>(random() % 4);
        break;
      case 5:
        world.player->aiProcess->leftHand = HandItem(random);
        world.combatState->leftActive = random() % 2;
        break;
      case 6: {
        const char* menu = Pick(random, kMenus);
        if (Chance(random, 2)) {
          world.OpenMenu(menu);
        } else {
          world.CloseMenu(menu);
        }
        break;
      }
      case 7:
        world.SetKeyDown(Pick(random, kKeys), Chance(random, 2));
        break;
      case 8: {
        HostRef* under[] = {nullptr, cast.other, cast.creature, cast.statue, world.player};
        world.SetCrosshairRef(Pick(random, under));
        break;
      }
      case 9:
        if (Chance(random, 2)) {
          world.pickResult = std::array<float, 3>{Angle(random) * 100, 500, 120};
        } else {
          world.pickResult.reset();
        }
        break;
      case 10:
        ChangeSkeleton(random, world.player);
        break;
      default:
        world.activeWindow = Chance(random, 4) ? 0 : world.uiState->window;
        world.uiState->notRunning = Chance(random, 6);
        world.mainState->notRunning = Chance(random, 8);
        break;
    }
  }
}

void PlayFrame(float lookHorizontal, float lookVertical) {
  Plugin& plugin = Plugin::Instance();
  float look[2] = {lookHorizontal, lookVertical};
  plugin.controller.AddLookInput(look);
  plugin.RunFrame();
}

bool CallHookOperations(std::mt19937& random, const DriveCast& cast, HostCameraState* state) {
  Plugin& plugin = Plugin::Instance();
  CameraController& controller = plugin.controller;
  HostActor* actors[] = {nullptr, Sim().player, cast.other, cast.creature};
  HostActor* actor = Pick(random, actors);
  bool finite = true;
  auto check = [&finite](const float* numbers, int count) {
    for (int i = 0; i < count; ++i) finite = finite && std::isfinite(numbers[i]);
  };

  controller.IsHeadTrackedActor(actor);
  float yaw = Angle(random), pitch = Angle(random) * 0.4f;
  float position[3] = {1, 2, 3};
  float rotation[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  controller.RestrictLook(&yaw, &pitch);
  controller.OverrideView(position, rotation);
  check(&yaw, 1);
  check(&pitch, 1);
  check(position, 3);
  check(rotation, 9);
  controller.GetPosition(position);
  controller.GetRotation(rotation);
  check(position, 3);
  check(rotation, 9);

  if (Chance(random, 8)) plugin.OnMountStart(actor);
  if (Chance(random, 8)) plugin.OnDismountStart(actor);
  controller.AllowsHostCameraSwitch();
  int32_t faceState = static_cast<int32_t>(random() % 2);
  controller.FaceCrosshairOverride(&faceState);
  int32_t faceArgument = 0;
  controller.FaceCrosshairArgument(&faceArgument);
  switch (random() % 6) {
    case 0: controller.ZoomIn(); break;
    case 1: controller.ZoomOut(); break;
    case 2: controller.ToggleActivation(); break;
    default: break;
  }
  TakeViewRefreshRequest();
  controller.ClearStateOffsets(state);
  controller.IsHeadCameraActive();
  float minimum = -1, maximum = 1;
  controller.SetPitchLimits(actor, &minimum, &maximum);
  check(&minimum, 1);
  check(&maximum, 1);
  if (Chance(random, 8)) {
    const float picked[3] = {Angle(random) * 100, 500, 120};
    OnCrosshairPickPoint(picked);
  }
  float look[2] = {0, 0};
  if (Chance(random, 8)) look[0] = Angle(random);
  controller.AddLookInput(look);
  check(look, 2);
  return finite;
}

void RequestReload() {
  Plugin::Instance().WithSession([](Session& session) { session.reloadRequested = true; });
}

bool ReloadPending() {
  return Plugin::Instance().WithSession([](Session& session) { return session.reloadRequested; });
}

std::string NonFiniteInGame() {
  SimWorld& world = Sim();
  std::string found;
  auto note = [&found](const char* what, float number) {
    if (!std::isfinite(number)) found += std::string(what) + " " + std::to_string(number) + "; ";
  };
  note("near clip", world.nearClip);
  note("time scale", world.timeScale);
  if (world.playerCamera) {
    note("field of view", world.playerCamera->fieldOfView);
    for (const auto& [id, state] : world.playerCamera->states) {
      note("camera state yaw", state->yaw);
      note("camera state pitch", state->pitch);
    }
  }
  CameraController& controller = Plugin::Instance().controller;
  float position[3], rotation[9];
  controller.GetPosition(position);
  controller.GetRotation(rotation);
  for (float number : position) note("camera position", number);
  for (float number : rotation) note("camera rotation", number);
  return found;
}

std::string ContractFaults() {
  const SimWorld& world = Sim();
  if (world.engineStringFaults == 0 && world.refFaults == 0 && world.consoleFormatFaults == 0) {
    return {};
  }
  return "engine string faults " + std::to_string(world.engineStringFaults) +
         ", reference faults " + std::to_string(world.refFaults) + ", console format faults " +
         std::to_string(world.consoleFormatFaults);
}

int64_t LiveEngineStrings() { return Sim().liveEngineStrings; }
int64_t LiveReferences() { return Sim().liveRefCounts; }

int LongRun::Fail(const std::string& what) const {
  std::fprintf(stderr, "%s: %s\n", test, what.c_str());
  return 1;
}

std::optional<LongRun> StartLongRun(const char* test, int argc, char** argv, int defaultCount,
                                    const char* defaultConfig) {
  LongRun run{test, argc > 1 ? std::atoi(argv[1]) : defaultCount, {}};
  const std::string configPath = argc > 2 ? argv[2] : defaultConfig;
  std::ifstream file(configPath, std::ios::binary);
  if (!file) {
    run.Fail("cannot read " + configPath);
    return std::nullopt;
  }
  std::ostringstream config;
  config << file.rdbuf();
  StartPluginWithText(config.str());
  run.cast = CastTheWorld();
  return run;
}
