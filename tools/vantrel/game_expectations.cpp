// Checks of what the simulated game did at the plug-in's hooks: its own camera, look input,
// limits, head tracking, switches and input handling.
#include <bit>
#include <cmath>
#include <string>

#include "expectations.h"
#include "run_text.h"
#include "sim_world.h"

namespace {

constexpr float kDegreesPerRadian = 180 / 3.14159265358979323846f;

bool CloseTo(const float* got, const float* wanted, int count, float tolerance) {
  for (int i = 0; i < count; ++i) {
    if (!(std::fabs(got[i] - wanted[i]) <= tolerance)) return false;
  }
  return true;
}

std::string PairText(const float v[2]) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "(%.3f, %.3f)", static_cast<double>(v[0]),
                static_cast<double>(v[1]));
  return buffer;
}

// Reads `count` numbers from word `first` on, and checks them against `got`.
bool CheckNumbers(ScenarioRun& run, DirectiveArgs& args, size_t first, const float* got, int count,
                  float tolerance, const std::string& what) {
  float wanted[3] = {0, 0, 0};
  for (int i = 0; i < count; ++i) {
    if (!args.Number(first + i, wanted[i])) return false;
  }
  const auto text = [count](const float* v) {
    return count == 3 ? VectorText(v) : count == 2 ? PairText(v) : std::to_string(v[0]);
  };
  run.Check(CloseTo(got, wanted, count, tolerance), what + " " + text(wanted),
            what + " " + text(got));
  return true;
}

// The actor of the form id in word `at`, or null with the problem recorded.
HostActor* ActorAt(DirectiveArgs& args, size_t at) {
  int32_t formId = 0;
  if (!args.Whole(at, formId)) return nullptr;
  HostForm* form = Sim().LookupForm(static_cast<uint32_t>(formId));
  auto* actor = form ? dynamic_cast<HostActor*>(form) : nullptr;
  if (!actor) args.Fail("form " + args[at] + " is no actor of the game");
  return actor;
}

void CheckFlag(ScenarioRun& run, const std::string& what, bool got, const std::string& wanted) {
  run.Check(got == (wanted == "true"), what + " " + wanted, what + " " + BoolText(got));
}

}  // namespace

bool ExpectLook(ScenarioRun& run, DirectiveArgs& args) {
  return CheckNumbers(run, args, 2, run.game.receivedLook.data(), 2, 0.001f, "look");
}

bool ExpectGameLook(ScenarioRun& run, DirectiveArgs& args) {
  HostCameraState* state = Sim().CurrentCameraState();
  if (!state) {
    run.Check(false, "game look " + args[3] + " " + args[4], "no camera state");
    return true;
  }
  const float got[2] = {state->yaw * kDegreesPerRadian, state->pitch * kDegreesPerRadian};
  return CheckNumbers(run, args, 3, got, 2, 0.01f, "game look");
}

bool ExpectGameCamera(ScenarioRun& run, DirectiveArgs& args) {
  HostCamera* camera = Sim().playerCamera;
  if (!camera) return args.Fail("the camera is removed");
  const bool position = args[3] == "position";
  const auto& r = camera->rotation;
  const float forward[3] = {r[1], r[4], r[7]};
  return CheckNumbers(run, args, 4, position ? camera->position.data() : forward, 3,
                      position ? 0.01f : 0.001f, "game camera " + args[3]);
}

bool ExpectGameNumber(ScenarioRun& run, DirectiveArgs& args) {
  const bool fov = args[2] == "fov";
  if (fov && !Sim().playerCamera) return args.Fail("the camera is removed");
  const float got = fov ? Sim().playerCamera->fieldOfView : Sim().nearClip;
  return CheckNumbers(run, args, 3, &got, 1, 0.001f, "game " + args[2]);
}

bool ExpectGameOffsets(ScenarioRun& run, DirectiveArgs& args) {
  HostCameraState* state = Sim().CurrentCameraState();
  if (!state) return args.Fail("the camera has no state");
  float got[3];
  for (size_t i = 0; i < 3; ++i) got[i] = std::bit_cast<float>(state->offsets[i]);
  return CheckNumbers(run, args, 3, got, 3, 0.001f, "game offsets");
}

bool ExpectGameView(ScenarioRun& run, DirectiveArgs& args) {
  HostCameraState* state = Sim().CurrentCameraState();
  const std::string got = state && state->id == 0 ? "first" : "third";
  run.Check(got == args[3], "game view " + args[3], "game view " + got);
  return true;
}

bool ExpectCameraState(ScenarioRun& run, DirectiveArgs& args) {
  int32_t wanted = 0;
  if (!args.Whole(3, wanted)) return false;
  HostCameraState* state = Sim().CurrentCameraState();
  const int32_t got = state ? state->id : -1;
  run.Check(got == wanted, "camera state " + std::to_string(wanted),
            "camera state " + std::to_string(got));
  return true;
}

bool ExpectPitchLimits(ScenarioRun& run, DirectiveArgs& args) {
  const auto& used = run.game.usedPitchLimits;
  if (!used) {
    run.Check(false, "pitchlimits " + args[2] + " " + args[3], "no pitch clamp yet");
    return true;
  }
  const float got[2] = {(*used)[0] * kDegreesPerRadian, (*used)[1] * kDegreesPerRadian};
  return CheckNumbers(run, args, 2, got, 2, 0.01f, "pitchlimits");
}

bool ExpectHeadTrack(ScenarioRun& run, DirectiveArgs& args) {
  HostActor* actor = ActorAt(args, 2);
  if (!actor) return false;
  const HostAiProcess* process = actor->aiProcess;
  const bool tracked = process && process->headTrackActive;
  const std::string got =
      tracked ? "headtrack " + VectorText(process->headTrackPoint.data()) : "no headtrack point";
  if (args[3] == "none") {
    run.Check(!tracked, "no headtrack point", got);
    return true;
  }
  float wanted[3];
  if (!args.Point(3, wanted)) return false;
  run.Check(tracked && CloseTo(process->headTrackPoint.data(), wanted, 3, 0.01f),
            "headtrack " + VectorText(wanted), got);
  return true;
}

bool ExpectTracked(ScenarioRun& run, DirectiveArgs& args) {
  constexpr uint32_t kHeadTrackedBit = 1u << 3;
  HostActor* actor = ActorAt(args, 2);
  if (!actor) return false;
  CheckFlag(run, "tracked", (actor->stateWord & kHeadTrackedBit) != 0, args[3]);
  return true;
}

bool ExpectGraph(ScenarioRun& run, DirectiveArgs& args) {
  HostActor* player = Sim().player;
  if (!player) return args.Fail("there is no player");
  const auto found = player->graphBools.find(args[2]);
  CheckFlag(run, "graph " + args[2], found != player->graphBools.end() && found->second, args[3]);
  return true;
}

bool ExpectFaceCrosshair(ScenarioRun& run, DirectiveArgs& args) {
  int32_t state = 0, argument = 0;
  if (!args.Whole(2, state) || !args.Whole(3, argument)) return false;
  const auto& got = run.game.faceCrosshair;
  const std::string wanted =
      "facecrosshair " + std::to_string(state) + " " + std::to_string(argument);
  run.Check(
      got && got->state == state && got->argument == argument, wanted,
      got ? "facecrosshair " + std::to_string(got->state) + " " + std::to_string(got->argument)
          : "the game has not reached hook 9");
  return true;
}

bool ExpectRefreshes(ScenarioRun& run, DirectiveArgs& args) {
  int32_t wanted = 0;
  if (!args.Whole(2, wanted)) return false;
  run.Check(run.game.refreshes == wanted, "refreshes " + std::to_string(wanted),
            "refreshes " + std::to_string(run.game.refreshes));
  return true;
}

bool ExpectInput(ScenarioRun& run, DirectiveArgs& args) {
  int32_t kind = 0;
  if (!args.Whole(2, kind)) return false;
  const auto found = run.game.inputSkipped.find(kind);
  const std::string got = found == run.game.inputSkipped.end() ? "no event of that kind"
                          : found->second                      ? "skipped"
                                                               : "handled";
  run.Check(got == args[3], "input " + args[2] + " " + args[3], "input " + args[2] + " " + got);
  return true;
}

bool ExpectFirstPerson(ScenarioRun& run, DirectiveArgs& args) {
  CheckFlag(run, "firstperson", run.game.FirstPersonQuery(), args[2]);
  return true;
}

bool ExpectAnimEvent(ScenarioRun& run, DirectiveArgs& args) {
  HostActor* actor = ActorAt(args, 2);
  if (!actor) return false;
  const std::string got = actor->animEvents.empty() ? "none" : actor->animEvents.back();
  run.Check(got == args[3], "animevent " + args[3], "animevent " + got);
  return true;
}
